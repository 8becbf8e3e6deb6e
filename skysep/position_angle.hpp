// A position with the sines and cosines of its coordinates, each taken
// once, and the position angle of another seen from it.  Uses angles.hpp.
#ifndef SKYSEP_POSITION_ANGLE_HPP
#define SKYSEP_POSITION_ANGLE_HPP

#include <cmath>

#include "angles.hpp"

// A position: right ascension and declination in radians, with their
// sines and cosines, each taken once.
struct Position {
	double ra, dec;
	double sin_ra, cos_ra, sin_dec, cos_dec;
};

// The position (ra, dec), in radians.
inline Position position(double ra, double dec)
{
	return Position{ra, dec, std::sin(ra), std::cos(ra), std::sin(dec), std::cos(dec)};
}

// The unit vector of the position p: the expressions of angles.hpp's
// unit_vector(), bit for bit.
inline Vec unit_vector(const Position &p)
{
	return Vec{p.cos_ra * p.cos_dec, p.sin_ra * p.cos_dec, p.sin_dec};
}

// The position angle of b seen from a, from north through east.
//
// Given:
//    a        the position seen from
//    b        the unit vector of the position seen
// Returned:
//    (value)  the position angle, radians, -pi to pi; 0 where it has none
//             (a and b the same, or a at a pole and b too)
// Notes:
// 1. atan2(y, x), with y and x the components of b towards the east and
//    the north of a, (-sin ra(a), cos ra(a), 0) and (-sin dec(a) cos
//    ra(a), -sin dec(a) sin ra(a), cos dec(a)); so y = sin da cos dec(b)
//    and x = sin dec(b) cos dec(a) - cos dec(b) sin dec(a) cos da, with
//    da = ra(b) - ra(a), without a sine or cosine of their own.
// 2. Each is good to about 1e-16, so for a pair a few milliseconds of arc
//    apart the angle is good to about 1e-16 divided by the separation in
//    radians.
// References:
//    the standard routines' eraPas
inline double position_angle(const Position &a, const Vec &b)
{
	double y = a.cos_ra * b.y - a.sin_ra * b.x;
	double x = a.cos_dec * b.z - a.sin_dec * (a.cos_ra * b.x + a.sin_ra * b.y);
	return x != 0 || y != 0 ? std::atan2(y, x) : 0;
}

#endif
