// Angles on the celestial sphere: the value of pi, the unit conversions,
// the unit vector of an equatorial position, the direction of a vector,
// and the angle between two, shared by both programs.
//
// Right ascension is in decimal hours, declination and separations in
// decimal degrees, and all trigonometry in radians.  Every conversion
// multiplies first and divides second (pi * h / 12, pi * d / 180,
// 12 * r / pi, 180 * r / pi): the other order gives another last bit
// (pi * h / 12 is not h / 12 * pi), and the programs print the results of
// exactly these expressions, bit for bit.
#ifndef COMMON_ANGLES_HPP
#define COMMON_ANGLES_HPP

#include <cmath>

// pi to double precision: bit pattern 0x400921FB54442D18.
constexpr double PI = 3.141592653589793;

// Hours of right ascension to radians.  Overflows to infinity from about
// 5.7e307 hours, which callers that parse user text must reject.
inline double hours_to_rad(double h) { return PI * h / 12; }

// Degrees to radians.  Overflows to infinity from about 5.7e307 degrees.
inline double deg_to_rad(double d) { return PI * d / 180; }

// Radians to hours of right ascension.
inline double rad_to_hours(double r) { return 12 * r / PI; }

// Radians to degrees.
inline double rad_to_deg(double r) { return 180 * r / PI; }

// Seconds of arc to radians, pi / 648000, and its inverse, the seconds of
// arc in a radian, 648000 / pi (206264.80624709636, the double nearest the
// published 206264.8062470963551564734).
constexpr double ARCSEC = PI / 648000;
constexpr double ARCSEC_PER_RADIAN = 648000 / PI;
// Milliseconds of arc to radians.
constexpr double MILLIARCSEC = ARCSEC / 1000;

// Cartesian direction of a point on the unit sphere: x towards right
// ascension 0 on the equator, y towards 6 hours, z towards the north pole.
struct Vec {
	double x, y, z;
};

// Unit vector of the position (ra, dec), both in radians.
inline Vec unit_vector(double ra, double dec)
{
	return Vec{std::cos(ra) * std::cos(dec), std::sin(ra) * std::cos(dec),
	           std::sin(dec)};
}

// The direction of a vector.
//
// Given:
//    v        a vector of any length but 0
// Returned:
//    *ra      its right ascension, radians, 0 to 2 pi (2 pi excluded)
//    *dec     its declination, radians, -pi/2 to pi/2
// Notes:
// 1. Both come by atan2, well conditioned everywhere, the poles included:
//    ra = atan2(y, x), folded by 2 pi, and dec = atan2(z, sqrt(x^2 +
//    y^2)).
// References:
//    the standard routines' eraC2s, with eraAnp, which leaves a rounding
//    west of 0 at 2 pi
inline void direction(const Vec &v, double *ra, double *dec)
{
	double a = std::atan2(v.y, v.x);
	// A right ascension just west of 0 adds up to 2 pi itself: that is 0.
	if (a < 0)
		a += 2 * PI;
	if (a >= 2 * PI)
		a = 0;
	*ra = a;
	*dec = std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y));
}

// The scalar product a . b.
inline double dot(const Vec &a, const Vec &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The cross product a x b.
inline Vec cross(const Vec &a, const Vec &b)
{
	return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The angle between two directions: the separation of two positions.
//
// Given:
//    p, q     unit vectors
// Returned:
//    (value)  the angle between them, radians, 0 to pi; 0 for p and q
//             both 0
// Notes:
// 1. atan2(|p x q|, p . q).  Both arguments keep their relative precision
//    at every angle, so the result is good to about 1e-16 radian from 0 to
//    pi, the ends included.
// References:
//    the standard routines' eraSepp
inline double angle_between(const Vec &p, const Vec &q)
{
	Vec c = cross(p, q);
	double s = std::sqrt(dot(c, c)), d = dot(p, q);
	return s != 0 || d != 0 ? std::atan2(s, d) : 0;
}

#endif
