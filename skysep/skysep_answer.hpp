// skysep's question and answer: its usage text and command line, the
// separation of two positions, and the result line of one question, for
// skysep.cpp and for the benches and fuzz targets that run its answers in
// process.
#ifndef SKYSEP_ANSWER_HPP
#define SKYSEP_ANSWER_HPP

#include <cmath>
#include <cstdio>
#include <cstring>

#include "angles.hpp"
#include "coordinates.hpp"
#include "options.hpp"
#include "result_line.hpp"
#include "runs.hpp"

// The usage text, formatted with the invocation name.
inline const char SKYSEP_USAGE[] =
	"Usage:  %s ra1 dec1 ra2 dec2\n"
	"\tra  format: Hh or HhMm or HhMmSs (any can be decimals)\n"
	"\tdec format: Do or DoM' or DoM'S\" (any can be decimals)\n"
	"\t\twith optional + or - before the degs\n";
// The rest of --help, after the usage text, formatted with the invocation
// name three times: the other forms and the options.
inline const char SKYSEP_HELP[] =
	"\t%s -  answers each line \"ra1 dec1 ra2 dec2\" of standard input\n"
	"\t%s --version  prints the version\n"
	"\t%s [option...] ra1 dec1 ra2 dec2 | -  with an option or -, also 02:31:49.09 and -16d42m58s\n"
	"Options, before the operands:\n"
	"\t--from=RA,DEC   the separation of each position \"ra dec\" from RA,DEC\n"
	"\t--degrees       right ascensions without h, m, s or colons are in degrees\n"
	"\t--decimals=N    N decimals, 0 to 9, in place of 6\n"
	"\t--bare          only the separation in degrees\n"
	"\t--columns=LIST  with -: the fields of ra1,dec1,ra2,dec2 (ra,dec), numbers or header names\n"
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks\n";

// How the command line reads.
inline const Program SKYSEP = {SKYSEP_USAGE, "ra1 dec1 ra2 dec2", Reading::MARKS, false, 6, "from", "ra dec",
                               nullptr};

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

// Separation in degrees (0 to 180) of the positions whose unit vectors
// are p and q, from the chord between them.
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

// The fields ra dec to the unit vector of their position in *v, or the
// refusal of the first that is not a coordinate.
inline bool get_position(char *const f[], const Reading &reading, Vec *v, Refusal &refusal)
{
	double ra, dec;
	if (!get_ra(f[0], reading, &ra))
		return refuse(refusal, "right ascension", f[0]);
	if (!get_dec(f[1], reading, &dec))
		return refuse(refusal, "declination", f[1]);
	*v = unit_vector(ra, dec);
	return true;
}

// The fields ra1 dec1 ra2 dec2, or ra dec from settings.from, to the
// result line, "angle = %lf degrees = %s\n" with the separation and its
// degrees, minutes and seconds, or the separation alone with --bare; or
// the refusal of the first field, in that order, that is not a coordinate.
inline bool skysep_answer(char *const f[], const Settings &settings, Line &line, Refusal &refusal)
{
	Vec p, q;
	if (settings.from != nullptr)
		p = *settings.from;
	else if (!get_position(f, settings.reading, &p, refusal))
		return false;
	if (!get_position(settings.from != nullptr ? f : f + 2, settings.reading, &q, refusal))
		return false;
	double theta = separation(p, q);
	if (!settings.bare)
		put(line, "angle = ");
	put_fixed(line, theta, 0, settings.decimals);
	if (!settings.bare) {
		put(line, " degrees = ");
		put_dms(line, theta);
	}
	put(line, "\n");
	return true;
}

// --from=RA,DEC, if o has it: the one position that each is measured from,
// read into from, which o's settings then point to.  Returns false after
// the refusal's message if it is not a position.
inline bool fix_from(const char *prog, Options &o, Vec &from)
{
	if (o.fixed == nullptr)
		return true;
	char *ra_dec[2] = {o.fixed, std::strchr(o.fixed, ',')};
	*ra_dec[1]++ = '\0';
	Refusal refusal;
	if (!get_position(ra_dec, o.settings.reading, &from, refusal)) {
		report_refusal(prog, 0, refusal, true);
		return false;
	}
	o.settings.from = &from;
	return true;
}

#endif
