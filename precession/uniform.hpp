// precession's first model, uniform: one rigid rotation of the equinox
// about the ecliptic pole, with a fixed obliquity and a fixed rate, from
// the equinox of one whole year to that of another.  Uses angles.hpp only.
#ifndef PRECESSION_UNIFORM_HPP
#define PRECESSION_UNIFORM_HPP

#include <cmath>

#include "angles.hpp"

// Obliquity of the ecliptic, 23o26' in radians: bit pattern 0x3FDA2CDF73118755.
constexpr double EPS = 0.40898882138400455;
// 2 pi as its own constant, to fold a right ascension west of 0 hours.
constexpr double TWO_PI = 6.283185307179586;
// Years for one full turn of the equinox about the ecliptic pole.
constexpr double PERIOD = 25800.0;

// The first release's precession.
//
// Given:
//    alpha, delta  the position, radians, finite
//    years         the year of the new equinox less that of the
//                  position's, exact in 64 bits
// Returned:
//    *ra           the right ascension at the new equinox, radians, 0 to
//                  2 pi, both ends included
//    *dec          the declination, radians, -pi/2 to pi/2
// Notes:
// 1. Into ecliptic coordinates with the fixed obliquity EPS, about the
//    ecliptic pole by 2 pi years / PERIOD, and back: ecliptic latitude is
//    unchanged, and longitude grows by about 50.23 seconds of arc a year.
//    No nutation, aberration, motion or change of obliquity.
// 2. Each expression is the first release's, in its order, so that every
//    run without options keeps its bytes; the right ascension comes by
//    acos, which is ill conditioned near the poles.
inline void precess(double alpha, double delta, long long years, double *ra, double *dec)
{
	// Precession angle in radians for the years.
	double p = static_cast<double>(years) / PERIOD * 2 * PI;
	Vec v = unit_vector(alpha, delta);

	// Equatorial to ecliptic: rotate by the obliquity about the x axis.
	double xe = v.x;
	double ye = std::cos(EPS) * v.y + std::sin(EPS) * v.z;
	double ze = std::sin(-EPS) * v.y + std::cos(EPS) * v.z;
	// The equinox moves: rotate by p about the ecliptic pole.
	double xp = std::cos(p) * xe - std::sin(p) * ye;
	double yp = std::sin(p) * xe + std::cos(p) * ye;
	double zp = ze;
	// Ecliptic back to equatorial: rotate by minus the obliquity.
	double x = xp;
	double y = std::cos(EPS) * yp - std::sin(EPS) * zp;
	double z = std::sin(EPS) * yp + std::cos(EPS) * zp;

	// Rounding can carry z just past 1 or -1 for a position carried onto a
	// celestial pole, where asin has no value.
	if (z > 1)
		z = 1;
	if (z < -1)
		z = -1;
	double d = std::asin(z);

	// Right ascension from x and the sign of y; the cosine of x's angle is
	// clamped for the same reason.  The cd == 0 branch, a pole, is never
	// taken in double arithmetic: cos(asin(1)) is 6.1e-17, so at a pole the
	// right ascension is that of the rounding residue in x and y (12 90 2000
	// gives 12 hours).
	double a = 0;
	double cd = std::cos(d);
	if (cd != 0) {
		double q = x / cd;
		if (q > 1)
			a = 0;
		else if (q < -1)
			a = PI;
		else
			a = std::acos(q);
	}
	if (y < 0)
		a = TWO_PI - a;
	*ra = a;
	*dec = d;
}

#endif
