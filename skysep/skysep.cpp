// skysep: the angular separation between two sky positions.
//
// usage: skysep ra1 dec1 ra2 dec2
//
// A right ascension is written in hours, minutes and seconds (12h30m36s),
// a declination in degrees, minutes and seconds with an optional sign
// (-16o42'58), every component optionally decimal.  The separation is
// printed in decimal degrees and in whole degrees, minutes and seconds of
// arc.  An invalid argument ends the run with a message and status 1.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "angles.hpp"

// Invocation name, named in the usage text and in every message.
static const char *Prog = "skysep";

// Reports an invalid coordinate text and ends the run; what names the kind
// of coordinate ("right ascension" or "declination").
[[noreturn]] static void reject(const char *what, const char *text)
{
	std::fprintf(stderr, "%s: invalid %s string \"%s\"\n", Prog, what, text);
	std::exit(1);
}

// Reads up to three numbers separated by the unit marks mark1 and mark2
// into v and returns how many were read (0 to 3); whatever follows the
// last number read is ignored.  This is the scan of the formatted-input
// pattern "%lf<mark1>%lf<mark2>%lf".  Callers admit only digits, points
// and the marks, so strtod reads exactly the numbers that pattern would,
// and unlike the formatted-input scanner it needs no heap for a long run
// of digits.
static int scan3(const char *s, char mark1, char mark2, double v[3])
{
	const char marks[2] = {mark1, mark2};
	int n = 0;
	for (;;) {
		char *end;
		v[n] = std::strtod(s, &end);
		if (end == s)
			return n;
		if (++n == 3 || *end != marks[n - 1])
			return n;
		s = end + 1;
	}
}

// Value of n sexagesimal components (1 to 3): the unit, then minutes and
// seconds added to it in that order.
static double sexagesimal(const double v[3], int n)
{
	double value = v[0];
	if (n >= 2)
		value = v[1] / 60.0 + value;
	if (n == 3)
		value = v[2] / 3600.0 + value;
	return value;
}

// Right ascension text to decimal hours: H, HhM or HhMmS, with an optional
// closing s.  The first number is hours whatever mark follows it.  No range
// is imposed, but a value so large that it, or its conversion to radians,
// is not finite is rejected: the separation would be undefined.
static double get_ra(const char *text)
{
	double v[3];
	int n = 0;
	if (std::strspn(text, "0123456789.hms") == std::strlen(text))
		n = scan3(text, 'h', 'm', v);
	if (n > 0) {
		double hours = sexagesimal(v, n);
		if (std::isfinite(hours_to_rad(hours)))
			return hours;
	}
	reject("right ascension", text);
}

// Declination text to signed decimal degrees: D, DoM or DoM'S, with an
// optional closing double quote and one optional leading sign, which
// applies to every component (-0o30' is -0.5 degrees).  Rejected like a
// right ascension; the message repeats the whole text, sign included.
static double get_dec(const char *text)
{
	const char *s = text;
	bool south = false;
	if (*s == '+' || *s == '-')
		south = *s++ == '-';
	double v[3];
	int n = 0;
	if (std::strspn(s, "0123456789.o'\"") == std::strlen(s))
		n = scan3(s, 'o', '\'', v);
	if (n > 0) {
		double deg = sexagesimal(v, n);
		if (south)
			deg = -deg;
		if (std::isfinite(deg_to_rad(deg)))
			return deg;
	}
	reject("declination", text);
}

// Angle a in decimal degrees (finite, 0 to 180) to whole degrees, minutes
// and seconds of arc rounded to the nearest second, as in 27o 6' 16".  Half
// a second is added before truncating, so carries reach the minutes and
// degrees (0.99999 gives 1o 0' 0").  The text is valid until the next call.
static const char *get_dms(double a)
{
	static char buf[30];
	a += 0.0001388888888888889; // half a second of arc, 1/7200 degree
	int d = static_cast<int>(a);
	a = (a - d) * 60;
	int m = static_cast<int>(a);
	a = (a - m) * 60;
	int s = static_cast<int>(a);
	std::snprintf(buf, sizeof buf, "%do %d' %d\"", d, m, s);
	return buf;
}

int main(int argc, char *argv[])
{
	// The one result line needs no buffer from the heap.
	static char outbuf[128];
	std::setvbuf(stdout, outbuf, _IOFBF, sizeof outbuf);

	// A kernel may start a program with no name, or an empty one.
	if (argc > 0 && argv[0] != nullptr && argv[0][0] != '\0')
		Prog = argv[0];
	if (argc != 5) {
		std::fprintf(stderr,
		             "Usage:  %s ra1 dec1 ra2 dec2\n"
		             "\tra  format: Hh or HhMm or HhMmSs (any can be decimals)\n"
		             "\tdec format: Do or DoM' or DoM'S\" (any can be decimals)\n"
		             "\t\twith optional + or - before the degs\n",
		             Prog);
		return 1;
	}

	double ra1 = get_ra(argv[1]);
	double dec1 = get_dec(argv[2]);
	double ra2 = get_ra(argv[3]);
	double dec2 = get_dec(argv[4]);

	// The separation from the chord between the two unit vectors.
	Vec p = unit_vector(hours_to_rad(ra1), deg_to_rad(dec1));
	Vec q = unit_vector(hours_to_rad(ra2), deg_to_rad(dec2));
	double dx = p.x - q.x, dy = p.y - q.y, dz = p.z - q.z;
	double d = std::sqrt(dx * dx + dy * dy + dz * dz);
	double c = (2 - d * d) / 2;
	// Only opposite points need the clamp: rounding carries c of some just
	// below -1 (9h +0.5 and 21h -0.5 give -1.0000000000000009), where acos
	// has no value.  c never exceeds 1, as d * d >= 0; the c > 1 side is
	// kept so that c is clamped into [-1, 1] on both sides.
	if (c > 1)
		c = 1;
	if (c < -1)
		c = -1;
	double theta = rad_to_deg(std::acos(c));

	std::printf("angle = %lf degrees = %s\n", theta, get_dms(theta));
	// A result that never reached its reader is a failure, not a success.
	if (std::fflush(stdout) != 0) {
		std::fprintf(stderr, "%s: write error: %s\n", Prog, std::strerror(errno));
		return 1;
	}
	return 0;
}
