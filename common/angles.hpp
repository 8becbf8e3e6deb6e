// Angles on the celestial sphere: the value of pi, the unit conversions,
// the unit vector of an equatorial position and the angle between two,
// shared by both programs.
//
// Right ascension is in decimal hours, declination and separations in
// decimal degrees, and all trigonometry in radians.  Every conversion
// multiplies first and divides second (pi * h / 12, pi * d / 180,
// 12 * r / pi, 180 * r / pi): the other order gives another last bit
// (pi * h / 12 is not h / 12 * pi), and the programs print the results of
// exactly these expressions, bit for bit.
#ifndef ANGLES_HPP
#define ANGLES_HPP

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

// The scalar product a . b.
inline double dot(const Vec &a, const Vec &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The cross product a x b.
inline Vec cross(const Vec &a, const Vec &b)
{
	return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The angle between the unit vectors p and q, in radians (0 to pi):
// atan2(|p x q|, p . q).  Both arguments keep their relative precision at
// every angle, so the result is good to about 1e-16 radian from 0 to pi,
// the ends included; 0 for p and q both 0.
inline double angle_between(const Vec &p, const Vec &q)
{
	Vec c = cross(p, q);
	double s = std::sqrt(dot(c, c)), d = dot(p, q);
	return s != 0 || d != 0 ? std::atan2(s, d) : 0;
}

#endif
