// skysep's formulas: a position's direction on the sphere, the separation
// of two positions by the first release's chord (the formula that keeps
// every digit is angles.hpp's angle_between()), and the position angle of
// one seen from the other.
// Uses angles.hpp only.
#ifndef SEPARATION_HPP
#define SEPARATION_HPP

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

// The first release's separation, in degrees (0 to 180), of the positions
// whose unit vectors are p and q, from the chord between them: acos((2 -
// d^2) / 2), the squares of the chord summed x, y, z.  Within about a
// second of arc of 0 and of 180 degrees, acos's argument is within a few
// units in the last place of 1 or -1, and the result loses digits: it can
// only take the values sqrt(k) 3.07 mas near 0.
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

// The position angle of b seen from a, from north through east, in
// radians (-pi to pi): atan2(y, x) with y and x the components of b's unit
// vector towards the east and the north of a, (-sin ra(a), cos ra(a), 0)
// and (-sin dec(a) cos ra(a), -sin dec(a) sin ra(a), cos dec(a)); so y =
// sin da cos dec(b) and x = sin dec(b) cos dec(a) - cos dec(b) sin dec(a)
// cos da, with da = ra(b) - ra(a), without a sine or cosine of their own.
// 0 where both are 0 (a and b the same, or a at a pole and b too).  Each
// is good to about 1e-16, so for a pair a few milliseconds of arc apart
// the angle is good to about 1e-16 divided by the separation in radians.
inline double position_angle(const Position &a, const Vec &b)
{
	double y = a.cos_ra * b.y - a.sin_ra * b.x;
	double x = a.cos_dec * b.z - a.sin_dec * (a.cos_ra * b.x + a.sin_ra * b.y);
	return x != 0 || y != 0 ? std::atan2(y, x) : 0;
}

#endif
