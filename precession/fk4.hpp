// FK4 positions at B1950.0 and FK5 positions at J2000.0, each into the
// other, for a star with no proper motion in FK5.  FK4 positions carry
// the E-terms of elliptic aberration; FK5 positions do not.
//
// Positions go in and out as vectors (angles.hpp's Vec, and Matrix and
// rotated() of rotations.hpp); unit_vector() and direction() turn them
// from and into (ra, dec).  Plain double arithmetic in the order written.
// Uses angles.hpp, epochs.hpp and rotations.hpp.
#ifndef PRECESSION_FK4_HPP
#define PRECESSION_FK4_HPP

#include <cmath>

#include "angles.hpp"
#include "epochs.hpp"
#include "rotations.hpp"

// The E-terms of aberration in FK4 at B1950.0, radians, as the
// Explanatory Supplement (1992, section 3.59) gives them.  Their rate
// (seconds of arc a tropical century) is multiplied by the years from
// 1950 to the epoch of observation, 0 here, so it never enters.
constexpr Vec FK4_E_TERMS = {-1.62557e-6, -0.31919e-6, -0.13843e-6};

// The method's unit of rate: radians a year to seconds of arc a century.
constexpr double FK4_PMF = 100 * ARCSEC_PER_RADIAN;

// The fictitious FK5 motion Mdot p of the method, in seconds of arc a
// century, times this is the star's displacement from J2000.0 to B1950.0
// in radians: the Julian years between them, -50.0002..., over FK4_PMF.
constexpr double FK5_MOTION_TO_B1950 = (B1950_JULIAN_EPOCH - 2000) / FK4_PMF;

// A position in FK4 at B1950.0 to FK5 at J2000.0.
//
// Given:
//    r0       the unit vector of (ra, dec) in FK4, equinox B1950.0, for a
//             star observed at B1950.0 (the epoch of observation that a
//             position "for B1950" is taken to have); length 1
// Returned:
//    (value)  the same star in FK5 at equinox and epoch J2000.0, a vector
//             of length about 1, never 0; direction() gives (ra, dec)
// Notes:
// 1. The E-terms are removed, p = r0 - A + (r0 . A) r0; then P = M p and
//    V = Mdot p, with M and Mdot the position columns of the method's 6x6
//    matrix.  The star is taken to have no proper motion in FK5, and V is
//    the fictitious one it has there: the position is P +
//    FK5_MOTION_TO_B1950 V.
// 2. r0 must be of unit length: the E-terms do not scale with it, and a
//    length of 1 + e moves the result by up to 1.7e-6 e radians.
// 3. Stated good to better than 1 mas at J2000.0, near the poles and far
//    from them alike.  fk5_to_fk4() is its inverse to within 0.03 mas,
//    not exactly: a position taken there and back, through (ra, dec),
//    moves by up to 0.024 mas (measured on 225000 positions).
// References:
//    Aoki, S. et al. 1983, A&A 128, 263, Appendix 2
//    Explanatory Supplement to the Astronomical Almanac, 1992, 3.59
//    the standard routines' eraFk45z
inline Vec fk4_to_fk5(const Vec &r0)
{
	static constexpr Matrix M = {{{+0.9999256782, -0.0111820611, -0.0048579477},
	                              {+0.0111820610, +0.9999374784, -0.0000271765},
	                              {+0.0048579479, -0.0000271474, +0.9999881997}}};
	static constexpr Matrix MDOT = {{{-0.000551, -0.238565, +0.435739},
	                                 {+0.238514, -0.002667, -0.008541},
	                                 {-0.435623, +0.012254, +0.002117}}};
	const Vec &a = FK4_E_TERMS;
	double r0a = dot(r0, a);
	Vec p = {r0.x - a.x + r0a * r0.x, r0.y - a.y + r0a * r0.y, r0.z - a.z + r0a * r0.z};
	Vec pos = rotated(M, p);
	Vec vel = rotated(MDOT, p);
	const double w = FK5_MOTION_TO_B1950;
	return Vec{pos.x + vel.x * w, pos.y + vel.y * w, pos.z + vel.z * w};
}

// A position in FK5 at J2000.0 to FK4 at B1950.0: the inverse method of
// fk4_to_fk5().
//
// Given:
//    r0       the unit vector of (ra, dec) in FK5, equinox and epoch
//             J2000.0, for a star with no proper motion in FK5
// Returned:
//    (value)  the same star in FK4 at equinox B1950.0, observed at
//             B1950.0, a vector of length about 1, never 0; direction()
//             gives (ra, dec)
// Notes:
// 1. r1 = N r0, with N the position columns of the inverse 6x6 matrix,
//    into the Bessel-Newcomb system; then the E-terms added, iterated
//    once: with w = |r1|, p1 = r1 + w A - (r1 . A) r1, and with w = |p1|,
//    the position is r1 + w A - (r1 . A) r1.  The second pass moves it by
//    a rounding at most, 1e-16: |p1| and |r1| differ in the second order
//    of A.
// 2. The fictitious motion the star has in FK4 carries it from B1950.0 to
//    the epoch of observation, B1950.0 itself, so neither that motion nor
//    the rates it is made of are computed.
// 3. Unlike fk4_to_fk5(), the direction hardly depends on the length of
//    r0: a length of 1 + e moves it by 5e-13 e radians at most.
// 4. Stated good to better than 1 mas at J2000.0; fk4_to_fk5() undoes it
//    to within 0.03 mas, not exactly (0.024 mas at most, measured).
// References:
//    Aoki, S. et al. 1983, A&A 128, 263, Appendix 2
//    Explanatory Supplement to the Astronomical Almanac, 1992, 3.59
//    the standard routines' eraFk54z
inline Vec fk5_to_fk4(const Vec &r0)
{
	static constexpr Matrix N = {{{+0.9999256795, +0.0111814828, +0.0048590039},
	                              {-0.0111814828, +0.9999374849, -0.0000271771},
	                              {-0.0048590040, -0.0000271557, +0.9999881946}}};
	const Vec &a = FK4_E_TERMS;
	Vec r1 = rotated(N, r0);
	double r1a = dot(r1, a);
	double w = std::sqrt(dot(r1, r1));
	Vec p1 = {r1.x + w * a.x - r1a * r1.x, r1.y + w * a.y - r1a * r1.y, r1.z + w * a.z - r1a * r1.z};
	w = std::sqrt(dot(p1, p1));
	return Vec{r1.x + w * a.x - r1a * r1.x, r1.y + w * a.y - r1a * r1.y, r1.z + w * a.z - r1a * r1.z};
}

#endif
