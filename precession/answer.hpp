// precession's answer to one question: the fields of a position and a year
// read; the position moved by the model chosen; and the result line
// written.  For precession.cpp, and for the benches and fuzz targets that
// answer questions in process.
#ifndef PRECESSION_ANSWER_HPP
#define PRECESSION_ANSWER_HPP

#include "angles.hpp"
#include "command_line.hpp"
#include "coordinates.hpp"
#include "matrices.hpp"
#include "messages.hpp"
#include "models.hpp"
#include "output.hpp"
#include "uniform.hpp"

// The fields right_ascension declination year, or the first two with
// --year, to the result line, "R.A. = %7.3f hours  Dec = %7.3f degrees\n",
// with the decimals of p in fields four wider, the right ascension in
// degrees with --degrees, or the two numbers alone with --bare; or the
// refusal of the first field, in that order, that cannot be read.  A
// coordinate that gives no finite position in radians (inf, nan, 1e400,
// 1e308 hours) is refused in every reading.
inline bool precession_answer(char *const f[], Precession &p, Line &line, Refusal &refusal)
{
	double alpha, delta, year;
	if (!get_position(f[0], f[1], p.reading, &alpha, &delta, refusal))
		return false;
	if (p.year)
		year = p.to;
	else if (!get_year(f[2], p.model, p.reading.kind == Reading::CATALOGUE, &year, refusal))
		return false;
	double ra, dec;
	const Model &model = MODELS[p.model];
	if (model.matrix == nullptr)
		precess(alpha, delta, static_cast<long long>(year), &ra, &dec);
	else
		rotate_position(matrix_for(p.last, model.matrix, year), alpha, delta, &ra, &dec);
	bool degrees = p.reading.degrees;
	int n = p.decimals, width = p.bare ? 0 : n + 4;
	if (!p.bare)
		put(line, "R.A. = ");
	put_fixed(line, degrees ? rad_to_deg(ra) : rad_to_hours(ra), width, n);
	if (p.bare)
		put(line, " ");
	else if (degrees)
		put(line, " degrees  Dec = ");
	else
		put(line, " hours  Dec = ");
	put_fixed(line, rad_to_deg(dec), width, n);
	if (p.bare)
		put(line, "\n");
	else
		put(line, " degrees\n");
	return true;
}

#endif
