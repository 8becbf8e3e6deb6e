// The first release's separation of two positions, from the chord between
// them: the formula of every run of skysep without options, whose bytes
// it keeps.  Every other run takes angles.hpp's angle_between(), which
// keeps every digit.  Uses angles.hpp.
#ifndef SKYSEP_FIRST_RELEASE_HPP
#define SKYSEP_FIRST_RELEASE_HPP

#include <cmath>

#include "angles.hpp"

// The separation by the chord.
//
// Given:
//    p, q     the unit vectors of the two positions
// Returned:
//    (value)  their separation, degrees, 0 to 180
// Notes:
// 1. acos((2 - d^2) / 2), d the chord |p - q|, its squares summed x, y, z.
// 2. Within about a second of arc of 0 and of 180 degrees, acos's argument
//    is within a few units in the last place of 1 or -1, and the result
//    loses digits: near 0 it can only take the values sqrt(k) 3.07 mas.
// References:
//    the standard routines' eraSepp gives the same angle by atan2, as
//    angle_between() does
inline double first_release_separation(const Vec &p, const Vec &q)
{
	double dx = p.x - q.x, dy = p.y - q.y, dz = p.z - q.z;
	double d = std::sqrt(dx * dx + dy * dy + dz * dz); // squares summed x, y, z
	double c = (2 - d * d) / 2;
	// Only opposite points need the clamp: rounding carries c of some just
	// below -1 (9h +0.5 and 21h -0.5 give -1.0000000000000009), where acos
	// has no value.  c never exceeds 1, as d * d >= 0; the c > 1 side is
	// kept so that c is clamped into [-1, 1] on both sides.
	if (c > 1)
		c = 1;
	if (c < -1)
		c = -1;
	return rad_to_deg(std::acos(c));
}

#endif
