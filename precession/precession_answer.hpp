// precession's question and answer: its usage text and command line, its
// models, and the result line of one question, for precession.cpp and for
// the benches and fuzz targets that run its answers in process.
#ifndef PRECESSION_ANSWER_HPP
#define PRECESSION_ANSWER_HPP

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "angles.hpp"
#include "coordinates.hpp"
#include "options.hpp"
#include "precession_matrices.hpp"
#include "result_line.hpp"
#include "runs.hpp"

// Obliquity of the ecliptic, 23o26' in radians: bit pattern 0x3FDA2CDF73118755.
constexpr double EPS = 0.40898882138400455;
// 2 pi as its own constant, to fold a right ascension west of 0 hours.
constexpr double TWO_PI = 6.283185307179586;
// Year of the equinox of the input position.
constexpr long long REF_YEAR = 2000;
// Years for one full turn of the equinox about the ecliptic pole.
constexpr double PERIOD = 25800.0;

// The usage text, formatted with the invocation name.
inline const char PRECESSION_USAGE[] =
	"Usage:  %s right_ascension declination year\n"
	"\tright_ascension and declination are in decimal hours and degrees, respectively\n";
// The rest of --help, after the usage text, formatted with the invocation
// name three times: the other forms and the options.
inline const char PRECESSION_HELP[] =
	"\t%s -  answers each line \"right_ascension declination year\" of standard input\n"
	"\t%s --version  prints the version\n"
	"\t%s [option...] right_ascension declination year | -  with an option or -, also\n"
	"\t\t6h45m8.9s -16o42'58, 06:45:08.9 -16:42:58 and -16d42m58s, and no text read in part\n"
	"Options, before the operands:\n"
	"\t--year=YEAR     the year of each position \"right_ascension declination\"\n"
	"\t--model=NAME    uniform, the default: a whole year; or a Julian epoch, decimals allowed,\n"
	"\t\t        iau2006 from 1000 to 3000, or long-term from -198000 to 202000\n"
	"\t--degrees       right ascensions without h, m, s or colons are in degrees, and printed so\n"
	"\t--decimals=N    N decimals, 0 to 9, in place of 3\n"
	"\t--bare          only the right ascension and the declination\n"
	"\t--columns=LIST  with -: the fields of right_ascension,declination[,year], numbers or header names\n"
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks\n";

// The models, in the order of Program's list: the matrix of an epoch, or
// null for the uniform rotation, the span of epochs, and the reason an
// epoch outside it is refused for.
struct Model {
	Matrix (*matrix)(double epoch);
	double first, last;
	const char *outside;
};
inline const Model MODELS[] = {
	{nullptr, 0, 0, nullptr},
	{iau2006_matrix, 1000, 3000, "outside the span of iau2006, 1000 to 3000"},
	{long_term_matrix, -198000, 202000, "outside the span of long-term, -198000 to 202000"},
};

// How the command line reads.
inline const Program PRECESSION = {PRECESSION_USAGE, "right_ascension declination year", Reading::LEADING, true, 3, "year",
                                   "right_ascension declination", "uniform iau2006 long-term"};

// Year text to *year, or false with its refusal.
//
// For the uniform model, a whole year, read as strtoll reads it in base 10
// (leading blanks, a sign, the decimal digits that follow) and saturated to
// the 32-bit range rather than left undefined beyond it, so that the years
// since 2000 are exact and never overflow.  Read as atoi reads it (a text
// with no number is the year 0) by a run without options; otherwise a text
// read in part or not at all is refused.
//
// For the other models, a Julian epoch read as strtod reads it, in whole,
// and refused outside the model's span.
inline bool get_year(const char *text, const Settings &settings, double *year, Refusal &refusal)
{
	char *end;
	const Model &model = MODELS[settings.model];
	if (model.matrix == nullptr) {
		long long y = read_integer(text, &end);
		if (y > INT32_MAX)
			y = INT32_MAX;
		if (y < INT32_MIN)
			y = INT32_MIN;
		*year = static_cast<double>(y);
		if (settings.reading.kind == Reading::CATALOGUE && (end == text || *end != '\0'))
			return refuse(refusal, "year", text);
		return true;
	}
	*year = read_decimal(text, &end);
	if (end == text || *end != '\0')
		return refuse(refusal, "year", text);
	if (!(*year >= model.first && *year <= model.last))
		return refuse(refusal, "year", text, model.outside);
	return true;
}

// Precesses the position (alpha, delta), in radians for the equinox of
// 2000, both finite, to the equinox of year, and sets *ra to its right
// ascension (0 to 2 pi) and *dec to its declination (-pi/2 to pi/2), in
// radians.
inline void precess(double alpha, double delta, long long year, double *ra, double *dec)
{
	// Precession angle in radians for the years since 2000.
	double p = static_cast<double>(year - REF_YEAR) / PERIOD * 2 * PI;
	Vec v = unit_vector(alpha, delta);

	// Equatorial to ecliptic: rotate by the obliquity about the x axis.
	double xe = v.x;
	double ye = std::cos(EPS) * v.y + std::sin(EPS) * v.z;
	double ze = std::sin(-EPS) * v.y + std::cos(EPS) * v.z;
	// The equinox moves: rotate by p about the ecliptic pole.
	double xp = std::cos(p) * xe - std::sin(p) * ye;
	double yp = std::sin(p) * xe + std::cos(p) * ye;
	double zp = ze;
	// Ecliptic back to equatorial: rotate by minus the obliquity.
	double x = xp;
	double y = std::cos(EPS) * yp - std::sin(EPS) * zp;
	double z = std::sin(EPS) * yp + std::cos(EPS) * zp;

	// Rounding can carry z just past 1 or -1 for a position carried onto a
	// celestial pole, where asin has no value.
	if (z > 1)
		z = 1;
	if (z < -1)
		z = -1;
	double d = std::asin(z);

	// Right ascension from x and the sign of y; the cosine of x's angle is
	// clamped for the same reason.  The cd == 0 branch, a pole, is never
	// taken in double arithmetic: cos(asin(1)) is 6.1e-17, so at a pole the
	// right ascension is that of the rounding residue in x and y (12 90 2000
	// gives 12 hours).
	double a = 0;
	double cd = std::cos(d);
	if (cd != 0) {
		double q = x / cd;
		if (q > 1)
			a = 0;
		else if (q < -1)
			a = PI;
		else
			a = std::acos(q);
	}
	if (y < 0)
		a = TWO_PI - a;
	*ra = a;
	*dec = d;
}

// The fields right_ascension declination year to the result line, "R.A. =
// %7.3f hours  Dec = %7.3f degrees\n", with the decimals of settings in
// fields four wider, the right ascension in degrees with --degrees, or the
// two numbers alone with --bare; or the refusal of the first field, in
// that order, that cannot be read.  A coordinate that gives no finite
// position in radians (inf, nan, 1e400, 1e308 hours) is refused in every
// reading.
inline bool precession_answer(char *const f[], const Settings &settings, Line &line, Refusal &refusal)
{
	double alpha, delta, year;
	if (!get_ra(f[0], settings.reading, &alpha))
		return refuse(refusal, "right ascension", f[0]);
	if (!get_dec(f[1], settings.reading, &delta))
		return refuse(refusal, "declination", f[1]);
	if (settings.year != nullptr)
		year = *settings.year;
	else if (!get_year(f[2], settings, &year, refusal))
		return false;
	double ra, dec;
	const Model &model = MODELS[settings.model];
	if (model.matrix == nullptr)
		precess(alpha, delta, static_cast<long long>(year), &ra, &dec);
	else
		rotate_position(matrix_for(*settings.last, model.matrix, year), alpha, delta, &ra, &dec);
	bool degrees = settings.reading.degrees;
	int n = settings.decimals, width = settings.bare ? 0 : n + 4;
	if (!settings.bare)
		put(line, "R.A. = ");
	put_fixed(line, degrees ? rad_to_deg(ra) : rad_to_hours(ra), width, n);
	if (settings.bare)
		put(line, " ");
	else if (degrees)
		put(line, " degrees  Dec = ");
	else
		put(line, " hours  Dec = ");
	put_fixed(line, rad_to_deg(dec), width, n);
	if (settings.bare)
		put(line, "\n");
	else
		put(line, " degrees\n");
	return true;
}

// --year=YEAR, if o has it: the one year that each is moved to, read into
// year; and the matrix of the last epoch, kept in last.  o's settings then
// point to them.  Returns false after the refusal's message if the year
// cannot be read or is outside the model's span.
inline bool fix_year(const char *prog, Options &o, double &year, EpochMatrix &last)
{
	last = EpochMatrix{};
	o.settings.last = &last;
	if (o.fixed == nullptr)
		return true;
	Refusal refusal;
	if (!get_year(o.fixed, o.settings, &year, refusal)) {
		report_refusal(prog, 0, refusal, true);
		return false;
	}
	o.settings.year = &year;
	return true;
}

#endif
