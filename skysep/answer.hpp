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
#include "separation.hpp"

// Angle a in decimal degrees (finite, 0 to 180) to whole degrees, minutes
// and seconds of arc rounded to the nearest second, as in 27o 6' 16", put
// on the line.  Half a second is added before truncating, so carries reach
// the minutes and degrees (0.99999 gives 1o 0' 0").
inline void put_dms(Line &line, double a)
{
	char buf[30];
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
	put(line, buf, static_cast<size_t>(p - buf));
}

// The fields f of a position, ra dec, to its unit vector in *v, or the
// refusal of the first that is not a coordinate.
inline bool get_unit_vector(char *const f[], const Reading &reading, Vec *v, Refusal &refusal)
{
	double ra, dec;
	if (!get_position(f[0], f[1], reading, &ra, &dec, refusal))
		return false;
	*v = unit_vector(ra, dec);
	return true;
}

// The fields ra1 dec1 ra2 dec2, or ra dec with --from, to the result line,
// "angle = %lf degrees = %s\n" with the separation and its degrees,
// minutes and seconds, or the separation alone with --bare; or the
// refusal of the first field, in that order, that is not a coordinate.
inline bool skysep_answer(char *const f[], Skysep &s, Line &line, Refusal &refusal)
{
	Vec p, q;
	if (s.from)
		p = s.origin;
	else if (!get_unit_vector(f, s.reading, &p, refusal))
		return false;
	if (!get_unit_vector(s.from ? f : f + 2, s.reading, &q, refusal))
		return false;
	double theta = separation(p, q);
	if (!s.bare)
		put(line, "angle = ");
	put_fixed(line, theta, 0, s.decimals);
	if (!s.bare) {
		put(line, " degrees = ");
		put_dms(line, theta);
	}
	put(line, "\n");
	return true;
}

#endif
