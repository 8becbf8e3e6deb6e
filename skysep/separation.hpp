// skysep's formulas: the separation of two positions on the sphere.
// Uses angles.hpp only.
#ifndef SEPARATION_HPP
#define SEPARATION_HPP

#include <cmath>

#include "angles.hpp"

// Separation in degrees (0 to 180) of the positions whose unit vectors
// are p and q, from the chord between them: acos((2 - d^2) / 2), the
// squares of the chord summed x, y, z.
inline double separation(const Vec &p, const Vec &q)
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
