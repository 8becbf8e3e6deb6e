// precession's answer to one question: the fields of a position, of a
// star's motion and of an epoch read; the position moved (transform.hpp);
// and the result line written.  For precession.cpp, and for the benches
// and fuzz targets that answer questions in process.
#ifndef PRECESSION_ANSWER_HPP
#define PRECESSION_ANSWER_HPP

#include <cmath>

#include "angles.hpp"
#include "command_line.hpp"
#include "coordinates.hpp"
#include "epochs.hpp"
#include "messages.hpp"
#include "output.hpp"
#include "sexagesimal.hpp"
#include "transform.hpp"

// Puts the position (ra, dec), in radians, on the line: in decimal hours
// and degrees, or degrees and degrees with --degrees, each with the
// decimals of p in a field four wider, or in colon notation with
// --sexagesimal, hours whatever the reading; as "R.A. = ... hours  Dec =
// ... degrees", or for galactic or ecliptic answers in degrees, "l = ...
// degrees  b = ... degrees" or "lon = ... degrees  lat = ... degrees";
// with --bare the two figures alone, separated by p's byte between them.
inline void put_position(Line &line, const Precession &p, double ra, double dec)
{
	System to = p.transform.to.system;
	bool galactic = to == GALACTIC, ecliptic = to == ECLIPTIC, degrees = p.reading.degrees || galactic || ecliptic;
	int n = p.decimals, width = p.bare ? 0 : n + 4;
	if (!p.bare)
		put(line, galactic ? "l = " : ecliptic ? "lon = " : "R.A. = ");
	if (p.sexagesimal) {
		char text[SEXAGESIMAL_MAX];
		put(line, text, format_hms(text, rad_to_hours(ra), n));
		if (p.bare)
			put(line, &p.between, 1);
		else
			put(line, "  Dec = ");
		put(line, text, format_dms(text, rad_to_deg(dec), n));
		put(line, "\n");
		return;
	}
	// The right ascension or longitude, 0 to 2 pi, scaled to its last
	// decimal once: one that rounds to a whole turn is 0, but in a run
	// without options, which prints the first release's 24.000.
	double a = degrees ? rad_to_deg(ra) : rad_to_hours(ra);
	uint64_t scaled = scaled_decimal(a, n);
	if (p.reading.kind != Reading::LEADING && scaled == (degrees ? 360 : 24) * POW10[n])
		scaled = 0;
	put_scaled(line, scaled, std::signbit(a), width, n);
	if (p.bare)
		put(line, &p.between, 1);
	else if (galactic)
		put(line, " degrees  b = ");
	else if (ecliptic)
		put(line, " degrees  lat = ");
	else if (degrees)
		put(line, " degrees  Dec = ");
	else
		put(line, " hours  Dec = ");
	put_fixed(line, rad_to_deg(dec), width, n);
	put(line, p.bare ? "\n" : " degrees\n");
}

// The text of a field of motion, what it is named in a message, to *v: a
// number that strtod reads whole and finite, or with empty allowed, an
// empty text, 0.  False, with the refusal, for any other.
inline bool get_number(const char *text, const char *what, bool empty, double *v, Refusal &refusal)
{
	*v = 0;
	if (empty && text[0] == '\0')
		return true;
	if (!read_number(text, v) || !std::isfinite(*v))
		return refuse(refusal, what, text);
	return true;
}

// The fields of a star's motion after its position, pmra pmdec, and with
// --space-motion parallax radial_velocity, into star: pmra is mu_alpha cos
// dec and pmdec mu_delta, in mas a year; the parallax in mas, which may be
// negative, as a catalogue's measured parallaxes of distant stars are
// (the space motion's guard raises it), and the radial velocity in km/s;
// each 0 when empty.  False, with the refusal of the first that cannot be
// read.
inline bool get_motion(char *const f[], Motion motion, CatalogueStar &star, Refusal &refusal)
{
	double pmra, pmdec, parallax = 0, velocity = 0;
	if (!get_number(f[0], "proper motion", true, &pmra, refusal) ||
	    !get_number(f[1], "proper motion", true, &pmdec, refusal))
		return false;
	if (motion == IN_SPACE && (!get_number(f[2], "parallax", true, &parallax, refusal) ||
	                           !get_number(f[3], "radial velocity", true, &velocity, refusal)))
		return false;
	star.mu_alpha = pmra * MILLIARCSEC / std::cos(star.dec);
	star.mu_delta = pmdec * MILLIARCSEC;
	star.parallax = parallax / 1000;
	star.radial_velocity = velocity;
	return true;
}

// The fields right_ascension declination, pmra pmdec with a motion option,
// parallax radial_velocity with --space-motion, and year, left out with
// --year, to the result line, "R.A. = %7.3f hours  Dec = %7.3f degrees\n"
// (put_position); or the refusal of the first field, in that order, that
// cannot be read.  A coordinate that gives no finite position in radians
// (inf, nan, 1e400, 1e308 hours) is refused in every reading; a run
// without options reads the year as atoi does, any other an epoch for the
// model.
inline bool precession_answer(char *const f[], Precession &p, Line &line, Refusal &refusal)
{
	CatalogueStar star = {0, 0, 0, 0, 0, 0};
	if (p.transform.from.system == GALACTIC ? !get_galactic(f[0], f[1], p.reading, &star.ra, &star.dec, refusal)
	                                        : !get_position(f[0], f[1], p.reading, &star.ra, &star.dec, refusal))
		return false;
	Motion motion = p.transform.motion;
	if (motion != NO_MOTION && !get_motion(f + MOTION_FIELD, motion, star, refusal))
		return false;
	int year = QUESTIONS[motion].count - 1; // the field of the year, unless --year gives it
	Epoch to = p.to;
	if (p.reading.kind == Reading::LEADING)
		to = leading_year(f[year]);
	else if (!p.year && !get_target(p, f[year], &to, refusal))
		return false;
	double ra = 0, dec = 0;
	int faults = transform(p.transform, p.last, to, star, &ra, &dec);
	if (faults & TOO_FAST)
		return refuse(refusal, nullptr, nullptr, "star moves faster than half the speed of light");
	if (faults & UNSETTLED)
		return refuse(refusal, nullptr, nullptr, "star's motion does not converge");
	if ((faults & NO_POSITION) || !std::isfinite(ra) || !std::isfinite(dec))
		return refuse(refusal, nullptr, nullptr, "no finite position");
	put_position(line, p, ra, dec);
	return true;
}

#endif
