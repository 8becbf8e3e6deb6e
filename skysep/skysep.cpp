// skysep: the angular separation between two sky positions.
//
// usage: skysep ra1 dec1 ra2 dec2
//        skysep -            (lines of ra1 dec1 ra2 dec2 on standard input)
//
// A right ascension is written in hours, minutes and seconds (12h30m36s),
// a declination in degrees, minutes and seconds with an optional sign
// (-16o42'58), every component optionally decimal.  The separation is
// printed in decimal degrees and in whole degrees, minutes and seconds of
// arc.  An invalid argument ends the run with a message and status 1.  With
// the one argument "-", each line of standard input is answered in turn
// (catalogue.hpp).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "angles.hpp"
#include "catalogue.hpp"
#include "decimal.hpp"

// Invocation name, named in the usage text and in every message.
static const char *Prog = "skysep";

// The usage text, formatted with the invocation name.
static const char USAGE[] =
	"Usage:  %s ra1 dec1 ra2 dec2\n"
	"\tra  format: Hh or HhMm or HhMmSs (any can be decimals)\n"
	"\tdec format: Do or DoM' or DoM'S\" (any can be decimals)\n"
	"\t\twith optional + or - before the degs\n";
// The other forms, after the usage text, for --help.
static const char FORMS[] =
	"\t%s -  answers each line \"ra1 dec1 ra2 dec2\" of standard input\n"
	"\t%s --version  prints the version\n";

// Reads up to three numbers separated by the unit marks mark1 and mark2
// into v and returns how many were read (0 to 3); whatever follows the
// last number read is ignored.  This is the scan of the formatted-input
// pattern "%lf<mark1>%lf<mark2>%lf".  Callers admit only digits, points
// and the marks, so read_decimal reads exactly the numbers that pattern
// would, and unlike the formatted-input scanner it needs no heap for a
// long run of digits.
static int scan3(const char *s, char mark1, char mark2, double v[3])
{
	const char marks[2] = {mark1, mark2};
	int n = 0;
	for (;;) {
		char *end;
		v[n] = read_decimal(s, &end);
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

// Right ascension text to decimal hours in *hours: H, HhM or HhMmS, with an
// optional closing s.  The first number is hours whatever mark follows it.
// No range is imposed, but a value so large that it, or its conversion to
// radians, is not finite is refused, as the separation would be undefined.
// Returns false for a text that is not a right ascension.
static bool get_ra(const char *text, double *hours)
{
	double v[3];
	int n = 0;
	if (std::strspn(text, "0123456789.hms") == std::strlen(text))
		n = scan3(text, 'h', 'm', v);
	if (n == 0)
		return false;
	*hours = sexagesimal(v, n);
	return std::isfinite(hours_to_rad(*hours));
}

// Declination text to signed decimal degrees in *degrees: D, DoM or
// DoM'S, with an optional closing double quote and one optional leading
// sign, which applies to every component (-0o30' is -0.5 degrees).
// Refused like a right ascension.
static bool get_dec(const char *text, double *degrees)
{
	const char *s = text;
	bool south = false;
	if (*s == '+' || *s == '-')
		south = *s++ == '-';
	double v[3];
	int n = 0;
	if (std::strspn(s, "0123456789.o'\"") == std::strlen(s))
		n = scan3(s, 'o', '\'', v);
	if (n == 0)
		return false;
	*degrees = sexagesimal(v, n);
	if (south)
		*degrees = -*degrees;
	return std::isfinite(deg_to_rad(*degrees));
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
	// "%do %d' %d\"", written directly.
	char *p = stpcpy(format_int(buf, d), "o ");
	p = stpcpy(format_int(p, m), "' ");
	stpcpy(format_int(p, s), "\"");
	return buf;
}

// Separation in degrees (0 to 180) of the positions (ra1, dec1) and (ra2,
// dec2), right ascensions in hours and declinations in degrees, finite in
// radians, from the chord between their unit vectors.
static double separation(double ra1, double dec1, double ra2, double dec2)
{
	Vec p = unit_vector(hours_to_rad(ra1), deg_to_rad(dec1));
	Vec q = unit_vector(hours_to_rad(ra2), deg_to_rad(dec2));
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

// The fields ra1 dec1 ra2 dec2 to the result line, "angle = %lf degrees =
// %s\n" with the separation and its degrees, minutes and seconds, or the
// refusal of the first field, in that order, that is not a coordinate.
static bool answer(char *const f[], Line &line, Refusal &refusal)
{
	double ra1, dec1, ra2, dec2;
	if (!get_ra(f[0], &ra1))
		return refuse(refusal, "right ascension", f[0]);
	if (!get_dec(f[1], &dec1))
		return refuse(refusal, "declination", f[1]);
	if (!get_ra(f[2], &ra2))
		return refuse(refusal, "right ascension", f[2]);
	if (!get_dec(f[3], &dec2))
		return refuse(refusal, "declination", f[3]);
	double theta = separation(ra1, dec1, ra2, dec2);
	put(line, "angle = ");
	put_fixed(line, theta, 0, 6);
	put(line, " degrees = ");
	put(line, get_dms(theta));
	put(line, "\n");
	return true;
}

int main(int argc, char *argv[])
{
	Prog = invocation_name(argc, argv, Prog);
	if (argc == 2 && std::strcmp(argv[1], "-") == 0)
		return answer_lines(Prog, 4, answer);
	if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
		return help(Prog, USAGE, FORMS);
	if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
		return version(Prog, "skysep");
	if (argc != 5) {
		std::fprintf(stderr, USAGE, Prog);
		return 1;
	}
	return answer_once(Prog, argv + 1, answer);
}
