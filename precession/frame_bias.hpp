// The frame bias: the small fixed rotation, some 23 mas, from the ICRS to
// the mean equator and equinox of J2000.0, the frame that iau2006.hpp's
// precession and nutation.hpp's nutation start from.  The matrix from the
// ICRS to the mean equator and equinox of a Julian epoch is then P B, and
// to the true ones N P B.  Uses angles.hpp and rotations.hpp.
#ifndef PRECESSION_FRAME_BIAS_HPP
#define PRECESSION_FRAME_BIAS_HPP

#include <cmath>

#include "angles.hpp"
#include "rotations.hpp"

// The IAU 2000 frame bias, seconds of arc (IERS Conventions 2003, chapter
// 5, after Chapront et al. 2002): the offsets of the J2000.0 mean pole from
// the ICRS pole in longitude and in obliquity, and the ICRS right ascension
// of the J2000.0 mean equinox.
constexpr double BIAS_LONGITUDE_ARCSEC = -0.041775;
constexpr double BIAS_OBLIQUITY_ARCSEC = -0.0068192;
constexpr double BIAS_EQUINOX_RA_ARCSEC = -0.0146;

// The obliquity of J2000.0 that the frame bias is stated with, seconds of
// arc: the IAU 1976 value of the IAU 1980 theory, not IAU 2006's
// OBLIQUITY_J2000_ARCSEC (84381.406), which the precession takes.
constexpr double OBLIQUITY_J2000_IAU1980_ARCSEC = 84381.448;

// The frame bias matrix.
//
// Returned:
//    (value)  B, from the ICRS to the mean equator and equinox of J2000.0:
//             v_J2000 = B v_ICRS
// Notes:
// 1. B = R1(-d_eps) R2(d_psi sin eps0) R3(d_alpha0), with the three
//    offsets above and eps0 = OBLIQUITY_J2000_IAU1980_ARCSEC.
// 2. A constant: callers compute it once.  The IAU 2006 bias, built from
//    the Fukushima-Williams angles at J2000.0, differs from it by 0.2
//    microseconds of arc.
// References:
//    IERS Conventions (2003), IERS Technical Note 32, chapter 5
//    Chapront, J., Chapront-Touze, M. & Francou, G. 2002, A&A 387, 700
//    the standard routines' eraBi00 (the offsets) and eraBp00 (rb)
inline Matrix frame_bias_matrix()
{
	double eps0 = OBLIQUITY_J2000_IAU1980_ARCSEC * ARCSEC;
	Matrix r3 = about_z(BIAS_EQUINOX_RA_ARCSEC * ARCSEC);
	Matrix r2 = about_y(BIAS_LONGITUDE_ARCSEC * ARCSEC * std::sin(eps0));
	return product(about_x(-BIAS_OBLIQUITY_ARCSEC * ARCSEC), product(r2, r3));
}

#endif
