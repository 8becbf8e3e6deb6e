// precession: move an equatorial position from the equinox of 2000 to the
// equinox of another year.
//
// usage: precession right_ascension declination year
//        precession -   (lines of right_ascension declination year on standard input)
//
// The model is one rigid rotation: into ecliptic coordinates with a fixed
// obliquity of 23o26', about the ecliptic pole by one full turn every 25800
// years, and back.  Ecliptic latitude is unchanged and ecliptic longitude
// grows by about 50.23 seconds of arc a year; there is no nutation,
// aberration, proper motion or change of obliquity.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "angles.hpp"
#include "catalogue.hpp"
#include "decimal.hpp"

// Obliquity of the ecliptic, 23o26' in radians: bit pattern 0x3FDA2CDF73118755.
constexpr double EPS = 0.40898882138400455;
// 2 pi as its own constant, to fold a right ascension west of 0 hours.
constexpr double TWO_PI = 6.283185307179586;
// Year of the equinox of the input position.
constexpr long long REF_YEAR = 2000;
// Years for one full turn of the equinox about the ecliptic pole.
constexpr double PERIOD = 25800.0;

// The usage text, formatted with the invocation name.
static const char USAGE[] =
	"Usage:  %s right_ascension declination year\n"
	"\tright_ascension and declination are in decimal hours and degrees, respectively\n";
// The other forms, after the usage text, for --help.
static const char FORMS[] =
	"\t%s -  answers each line \"right_ascension declination year\" of standard input\n"
	"\t%s --version  prints the version\n";

// Year text to a whole year as atoi reads it (leading blanks, a sign, the
// decimal digits that follow; no number reads as 0), saturated to the
// 32-bit range rather than left undefined beyond it.  Kept in 64 bits so
// that the years since 2000 never overflow.
static long long read_year(const char *text)
{
	long long year = std::strtoll(text, nullptr, 10);
	if (year > INT32_MAX)
		year = INT32_MAX;
	if (year < INT32_MIN)
		year = INT32_MIN;
	return year;
}

// Precesses the position (hours, degrees), right ascension in hours and
// declination in degrees for the equinox of 2000, both finite in radians,
// to the equinox of year, and sets *ra to its right ascension in hours (0
// to 24) and *dec to its declination in degrees (-90 to 90).
static void precess(double hours, double degrees, long long year, double *ra, double *dec)
{
	// Precession angle in radians for the years since 2000.
	double p = static_cast<double>(year - REF_YEAR) / PERIOD * 2 * PI;
	Vec v = unit_vector(hours_to_rad(hours), deg_to_rad(degrees));

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
	*ra = rad_to_hours(a);
	*dec = rad_to_deg(d);
}

// The fields right_ascension declination year to the result line, "R.A. =
// %7.3f hours  Dec = %7.3f degrees\n".  The texts are read as atof and
// atoi read them, and never refused for their form: a text that is not a
// number reads as 0.  But a coordinate that gives no finite position in
// radians (inf, nan, 1e400, 1e308 hours) is refused, right ascension first.
static bool answer(char *const f[], Line &line, Refusal &refusal)
{
	double hours = read_decimal(f[0], nullptr);
	if (!std::isfinite(hours_to_rad(hours)))
		return refuse(refusal, "right ascension", f[0]);
	double degrees = read_decimal(f[1], nullptr);
	if (!std::isfinite(deg_to_rad(degrees)))
		return refuse(refusal, "declination", f[1]);
	double ra, dec;
	precess(hours, degrees, read_year(f[2]), &ra, &dec);
	put(line, "R.A. = ");
	put_fixed(line, ra, 7, 3);
	put(line, " hours  Dec = ");
	put_fixed(line, dec, 7, 3);
	put(line, " degrees\n");
	return true;
}

int main(int argc, char *argv[])
{
	const char *prog = invocation_name(argc, argv, "precession");
	if (argc == 2 && std::strcmp(argv[1], "-") == 0)
		return answer_lines(prog, 3, answer);
	if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
		return help(prog, USAGE, FORMS);
	if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
		return version(prog, "precession");
	if (argc != 4) {
		std::fprintf(stderr, USAGE, prog);
		return 1;
	}
	return answer_once(prog, argv + 1, answer);
}
