// The IAU 2006 precession (P03) of --model=iau2006: its matrix, from the
// mean equator and equinox of J2000.0 to those of a Julian epoch, and its
// mean obliquity of the ecliptic.  Neither includes frame bias, nutation,
// aberration or proper motion.  Uses angles.hpp, epochs.hpp and
// rotations.hpp.
#ifndef PRECESSION_IAU2006_HPP
#define PRECESSION_IAU2006_HPP

#include <cmath>

#include "angles.hpp"
#include "epochs.hpp"
#include "rotations.hpp"

// The mean obliquity of the ecliptic at J2000.0, seconds of arc: the
// constant term of the IAU 2006 obliquity (Hilton et al. 2006, Table 1),
// which the long-term model takes too.
constexpr double OBLIQUITY_J2000_ARCSEC = 84381.406;

// The IAU 2006 precession matrix.
//
// Given:
//    epoch    Julian epoch, years (TT); span 1000 to 3000
// Returned:
//    (value)  P, from the mean equator and equinox of J2000.0 to those of
//             the epoch: v_epoch = P v_J2000, v a unit vector (angles.hpp)
// Notes:
// 1. P = R3(-zA) R2(thetaA) R3(-zetaA), with the equatorial angles zetaA,
//    zA and thetaA of the P03 solution, each a polynomial in Julian
//    centuries since J2000.0, in seconds of arc, evaluated in nested form.
// 2. The polynomials are fitted to the present era: within 0.3 mas of the
//    long-term model at 2100, and some 50 mas apart at 1000 and 3000.
//    Built from these angles, P agrees with the standard routines' matrix
//    (built from others) to 1e-11 per element from 1800 to 2200, and to
//    2e-9 at the ends of the span.
// References:
//    Capitaine, N., Wallace, P.T. & Chapront, J. 2003, A&A 412, 567
//    Hilton, J.L. et al. 2006, Celest. Mech. Dyn. Astron. 94, 351, Table 1
//    the standard routines' eraP06e (the angles) and eraBp06 (rp)
inline Matrix iau2006_matrix(double epoch)
{
	double t = centuries_since_2000(epoch);
	double zeta = (2.650545 +
	               (2306.083227 + (0.2988499 + (0.01801828 + (-0.000005971 + -0.0000003173 * t) * t) * t) * t) * t) *
	              ARCSEC;
	double z = (-2.650545 +
	            (2306.077181 + (1.0927348 + (0.01826837 + (-0.000028596 + -0.0000002904 * t) * t) * t) * t) * t) *
	           ARCSEC;
	double theta =
	        (2004.191903 + (-0.4294934 + (-0.04182264 + (-0.000007089 + -0.0000001274 * t) * t) * t) * t) * t *
	        ARCSEC;
	double cz = std::cos(zeta), sz = std::sin(zeta);
	double cZ = std::cos(z), sZ = std::sin(z);
	double ct = std::cos(theta), st = std::sin(theta);
	// R3(-zA) R2(thetaA) R3(-zetaA), multiplied out.
	return Matrix{{{cZ * ct * cz - sZ * sz, -cZ * ct * sz - sZ * cz, -cZ * st},
	               {sZ * ct * cz + cZ * sz, -sZ * ct * sz + cZ * cz, -sZ * st},
	               {st * cz, -st * sz, ct}}};
}

// The IAU 2006 mean obliquity of the ecliptic: the angle between the mean
// equator and the ecliptic of date.
//
// Given:
//    t        Julian centuries of TT since J2000.0; span -10 to 10 (1000
//             to 3000), as the precession it goes with
// Returned:
//    (value)  epsA, radians
// Notes:
// 1. A polynomial of degree 5 in t, in seconds of arc, evaluated in
//    nested form; fitted to the present era.
// References:
//    Hilton, J.L. et al. 2006, Celest. Mech. Dyn. Astron. 94, 351, Table 1
//    the standard routines' eraObl06
inline double mean_obliquity(double t)
{
	return (OBLIQUITY_J2000_ARCSEC +
	        (-46.836769 + (-0.0001831 + (0.00200340 + (-0.000000576 + -0.0000000434 * t) * t) * t) * t) * t) *
	       ARCSEC;
}

#endif
