// skysep's answer to one question: the fields of two positions, or of one
// with --from, read; their separation computed; and the result line
// written.  For skysep.cpp, and for the benches and fuzz targets that
// answer questions in process.
#ifndef SKYSEP_ANSWER_HPP
#define SKYSEP_ANSWER_HPP

#include "angles.hpp"
#include "command_line.hpp"
#include "coordinates.hpp"
#include "messages.hpp"
#include "output.hpp"
#include "first_release.hpp"
#include "match_index.hpp"
#include "position_angle.hpp"

// Angle a in decimal degrees (finite, 0 to 180) to whole degrees, minutes
// and seconds of arc rounded to the nearest second, as in 27o 6' 16", put
// on the line.  Half a second is added before truncating, so carries reach
// the minutes and degrees (0.99999 gives 1o 0' 0").
inline void put_dms(Line &line, double a)
{
	if (LINE_ROOM - line.length < 40) // three numbers of 11 bytes and the marks
		return;
	char *buf = line.text + line.length;
	a += 0.0001388888888888889; // half a second of arc, 1/7200 degree
	int d = static_cast<int>(a);
	a = (a - d) * 60;
	int m = static_cast<int>(a);
	a = (a - m) * 60;
	int s = static_cast<int>(a);
	// "%do %d' %d\"", written directly.
	char *p = format_int(buf, d);
	*p++ = 'o';
	*p++ = ' ';
	p = format_int(p, m);
	*p++ = '\'';
	*p++ = ' ';
	p = format_int(p, s);
	*p++ = '"';
	line.length += static_cast<size_t>(p - buf);
}


// A position angle in degrees (-180 to 180) put on the line as a figure
// from 0 to 360 with the decimals: never -0, and 0 for one that rounds to
// 360.
inline void put_position_angle(Line &line, double degrees, int decimals)
{
	// -0 + 0 is 0; the sum is taken without a branch on the sign, which
	// is as likely one way as the other.
	degrees += degrees < 0 ? 360.0 : 0.0;
	uint64_t printed = scaled_decimal(degrees, decimals);
	put_scaled(line, printed == 360 * POW10[decimals] ? 0 : printed, false, 0, decimals);
}

// The separation value, in s's unit, on the line with s's decimals;
// returns it as printed, in units of its last decimal: an angle below
// 2^31 in every unit.
inline uint64_t put_separation(Line &line, const Skysep &s, double value)
{
	uint64_t printed = scaled_decimal(value, s.decimals);
	put_scaled(line, printed, false, 0, s.decimals);
	return printed;
}

// The position angle of q seen from a on the line after a separation
// printed as printed: with --bare, after the output delimiter; else as
// "  position angle = %lf degrees".  0 where the separation prints as 0.
inline void put_position_angle_of(Line &line, const Skysep &s, uint64_t printed, const Position &a, const Vec &q)
{
	if (s.bare)
		put(line, &s.between, 1);
	else
		put(line, "  position angle = ");
	double pa = printed == 0 ? 0 : rad_to_deg(position_angle(a, q));
	put_position_angle(line, pa, s.decimals);
	if (!s.bare)
		put(line, " degrees");
}

// The fields ra1 dec1 ra2 dec2, or ra dec with --from, to the result line,
// "angle = %lf degrees = %s\n" with the separation and its degrees,
// minutes and seconds, or the separation alone with --bare; or the
// refusal of the first field, in that order, that is not a coordinate.
//
// A run without options computes the separation with the first release's
// formula; every other, with the formula that keeps every digit, in the
// unit of --unit, the position angle after it with --position-angle.
inline bool skysep_answer(char *const f[], Skysep &s, Line &line, Refusal &refusal)
{
	// Both positions read before either's sines and cosines are taken, so
	// that the reading of one overlaps the other's arithmetic.
	double ra1, dec1, ra2, dec2;
	if (!s.from && !get_position(f[0], f[1], s.reading, &ra1, &dec1, refusal))
		return false;
	char *const *second = s.from ? f : f + 2;
	if (!get_position(second[0], second[1], s.reading, &ra2, &dec2, refusal))
		return false;
	Position a = s.from ? s.origin : position(ra1, dec1), b = position(ra2, dec2);
	double degrees, value;
	Vec p = unit_vector(a), q = unit_vector(b);
	if (s.first_release) {
		value = degrees = first_release_separation(p, q);
	} else {
		double theta = angle_between(p, q);
		degrees = rad_to_deg(theta);
		value = s.unit->per_pi == 180 ? degrees : in_unit(*s.unit, theta);
	}
	if (!s.bare)
		put(line, "angle = ");
	uint64_t printed = put_separation(line, s, value);
	if (!s.bare) {
		put16(line, s.unit->between, s.unit->between_length);
		put_dms(line, degrees);
	}
	if (s.position_angle)
		put_position_angle_of(line, s, printed, a, q);
	put(line, "\n");
	return true;
}

// The fields ra dec of a run with --match to the result line: "match = N
// angle = S UNIT" with the line number N in FILE of the nearest position
// within --radius and the separation S in --unit, or "N S" with --bare,
// the position angle of the match after it with --position-angle; "match
// = none", or "0" with --bare, if none is within the radius; or the
// refusal of the first field that is not a coordinate.
inline bool skysep_match_answer(char *const f[], Skysep &s, Line &line, Refusal &refusal)
{
	double ra, dec;
	if (!get_position(f[0], f[1], s.reading, &ra, &dec, refusal))
		return false;
	Match m = nearest(s.index, ra, dec, s.radius);
	if (m.line == 0) {
		put(line, s.bare ? "0\n" : "match = none\n");
		return true;
	}
	if (!s.bare)
		put(line, "match = ");
	put_scaled(line, m.line, false, 0, 0);
	if (s.bare)
		put(line, &s.between, 1);
	else
		put(line, "  angle = ");
	uint64_t printed = put_separation(line, s, in_unit(*s.unit, m.separation));
	if (!s.bare)
		put16(line, s.unit->between, s.unit->between_length - 3); // without " = "
	if (s.position_angle)
		put_position_angle_of(line, s, printed, position(ra, dec), m.v);
	put(line, "\n");
	return true;
}

#endif
