// precession: move an equatorial position from the equinox of 2000 to the
// equinox of another year.
//
// usage: precession right_ascension declination year
//
// The model is one rigid rotation: into ecliptic coordinates with a fixed
// obliquity of 23o26', about the ecliptic pole by one full turn every 25800
// years, and back.  Ecliptic latitude is unchanged and ecliptic longitude
// grows by about 50.23 seconds of arc a year; there is no nutation,
// aberration, proper motion or change of obliquity.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "angles.hpp"

// Obliquity of the ecliptic, 23o26' in radians: bit pattern 0x3FDA2CDF73118755.
constexpr double EPS = 0.40898882138400455;
// 2 pi as its own constant, to fold a right ascension west of 0 hours.
constexpr double TWO_PI = 6.283185307179586;
// Year of the equinox of the input position.
constexpr long long REF_YEAR = 2000;
// Years for one full turn of the equinox about the ecliptic pole.
constexpr double PERIOD = 25800.0;

// Reports a coordinate that is not a finite number of radians and ends the
// run; what names the coordinate ("right ascension" or "declination").
[[noreturn]] static void reject(const char *prog, const char *what, const char *text)
{
	std::fprintf(stderr, "%s: invalid %s string \"%s\"\n", prog, what, text);
	std::exit(1);
}

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

int main(int argc, char *argv[])
{
	// The one result line needs no buffer from the heap.
	static char outbuf[128];
	std::setvbuf(stdout, outbuf, _IOFBF, sizeof outbuf);

	// A kernel may start a program with no name, or an empty one.
	const char *prog = "precession";
	if (argc > 0 && argv[0] != nullptr && argv[0][0] != '\0')
		prog = argv[0];
	if (argc != 4) {
		std::fprintf(stderr,
		             "Usage:  %s right_ascension declination year\n"
		             "\tright_ascension and declination are in decimal hours and degrees, respectively\n",
		             prog);
		return 1;
	}

	// Texts that are not numbers read as 0, but a value that gives no
	// finite position in radians (inf, nan, 1e400, 1e308 hours) is refused.
	double hours = std::atof(argv[1]);
	if (!std::isfinite(hours_to_rad(hours)))
		reject(prog, "right ascension", argv[1]);
	double degrees = std::atof(argv[2]);
	if (!std::isfinite(deg_to_rad(degrees)))
		reject(prog, "declination", argv[2]);
	long long year = read_year(argv[3]);

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
	double dec = std::asin(z);

	// Right ascension from x and the sign of y; the cosine of x's angle is
	// clamped for the same reason.  The cd == 0 branch, a pole, is never
	// taken in double arithmetic: cos(asin(1)) is 6.1e-17, so at a pole the
	// right ascension is that of the rounding residue in x and y (12 90 2000
	// gives 12 hours).
	double ra = 0;
	double cd = std::cos(dec);
	if (cd != 0) {
		double q = x / cd;
		if (q > 1)
			ra = 0;
		else if (q < -1)
			ra = PI;
		else
			ra = std::acos(q);
	}
	if (y < 0)
		ra = TWO_PI - ra;

	std::printf("R.A. = %7.3f hours  Dec = %7.3f degrees\n", rad_to_hours(ra), rad_to_deg(dec));
	// A result that never reached its reader is a failure, not a success.
	if (std::fflush(stdout) != 0) {
		std::fprintf(stderr, "%s: write error: %s\n", prog, std::strerror(errno));
		return 1;
	}
	return 0;
}
