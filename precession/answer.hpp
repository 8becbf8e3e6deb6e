// precession's answer to one question: the fields of a position and an
// epoch read; the position moved by the model chosen (transform.hpp); and
// the result line written.  For precession.cpp, and for the benches and fuzz targets that
// answer questions in process.
#ifndef PRECESSION_ANSWER_HPP
#define PRECESSION_ANSWER_HPP

#include "angles.hpp"
#include "command_line.hpp"
#include "coordinates.hpp"
#include "matrices.hpp"
#include "messages.hpp"
#include "epochs.hpp"
#include "models.hpp"
#include "output.hpp"
#include "sexagesimal.hpp"
#include "transform.hpp"

// Puts the position (ra, dec), in radians, on the line: in decimal hours
// and degrees, or degrees and degrees with --degrees, each with the
// decimals of p in a field four wider, or in colon notation with
// --sexagesimal; as "R.A. = ... hours  Dec = ... degrees", or with --bare
// the two figures alone.
inline void put_position(Line &line, const Precession &p, double ra, double dec)
{
	bool degrees = p.reading.degrees;
	int n = p.decimals, width = p.bare ? 0 : n + 4;
	if (!p.bare)
		put(line, "R.A. = ");
	if (p.sexagesimal) {
		char text[SEXAGESIMAL_MAX];
		put(line, text, format_hms(text, rad_to_hours(ra), n));
		put(line, p.bare ? " " : "  Dec = ");
		put(line, text, format_dms(text, rad_to_deg(dec), n));
		put(line, "\n");
		return;
	}
	put_fixed(line, degrees ? rad_to_deg(ra) : rad_to_hours(ra), width, n);
	if (p.bare)
		put(line, " ");
	else if (degrees)
		put(line, " degrees  Dec = ");
	else
		put(line, " hours  Dec = ");
	put_fixed(line, rad_to_deg(dec), width, n);
	put(line, p.bare ? "\n" : " degrees\n");
}

// The fields right_ascension declination year, or the first two with
// --year, to the result line, "R.A. = %7.3f hours  Dec = %7.3f degrees\n"
// (put_position); or the refusal of the first field, in that order, that
// cannot be read.  A coordinate that gives no finite position in radians
// (inf, nan, 1e400, 1e308 hours) is refused in every reading; a run
// without options reads the year as atoi does, any other an epoch for the
// model.
inline bool precession_answer(char *const f[], Precession &p, Line &line, Refusal &refusal)
{
	double alpha, delta;
	if (!get_position(f[0], f[1], p.reading, &alpha, &delta, refusal))
		return false;
	Epoch to = p.to;
	if (p.reading.kind == Reading::LEADING)
		to = leading_year(f[2]);
	else if (!p.year && !get_epoch(f[2], p.model, "year", &to, refusal))
		return false;
	double ra, dec;
	transform(p.transform, to, alpha, delta, &ra, &dec);
	put_position(line, p, ra, dec);
	return true;
}

#endif
