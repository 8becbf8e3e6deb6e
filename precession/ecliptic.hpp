// Ecliptic coordinates of date: the rotation from the ICRS to the mean
// ecliptic and equinox of a Julian epoch, through the frame bias and the
// IAU 2006 precession.  direction() (angles.hpp) turns an ecliptic vector
// into (longitude, latitude), the longitude from 0 to 2 pi.  Uses
// epochs.hpp, frame_bias.hpp, iau2006.hpp and rotations.hpp.
#ifndef PRECESSION_ECLIPTIC_HPP
#define PRECESSION_ECLIPTIC_HPP

#include "epochs.hpp"
#include "frame_bias.hpp"
#include "iau2006.hpp"
#include "rotations.hpp"

// The matrix from the ICRS to the mean ecliptic and equinox of date.
//
// Given:
//    epoch    Julian epoch, years (TT); span 1000 to 3000, as the
//             precession
//    bias     the frame bias matrix B, frame_bias_matrix()
// Returned:
//    (value)  R1(epsA) P B, with P = iau2006_matrix(epoch) and epsA its
//             mean obliquity: v_ecliptic = R1(epsA) P B v_ICRS
// Notes:
// 1. The ecliptic is that of the IAU 2006 precession, and the equinox its
//    mean equinox of date: no nutation.  The matrix agrees with the
//    standard routines' to the precession's own 1e-11 per element from
//    1800 to 2200.
// References:
//    Hilton, J.L. et al. 2006, Celest. Mech. Dyn. Astron. 94, 351
//    the standard routines' eraEcm06
inline Matrix ecliptic_matrix(double epoch, const Matrix &bias)
{
	Matrix pb = product(iau2006_matrix(epoch), bias);
	return product(about_x(mean_obliquity(centuries_since_2000(epoch))), pb);
}

#endif
