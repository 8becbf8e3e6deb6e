// precession driven through its argument vector, and through standard
// input with the argument "-".
#include "harness.hpp"

#define AT(ra, dec) "R.A. = " ra " hours  Dec = " dec " degrees\n"
#define USAGE(name)                                                  \
	"Usage:  " name " right_ascension declination year\n"           \
	"\tright_ascension and declination are in decimal hours and degrees, respectively\n"

#define HELP(name)                                                                       \
	USAGE(name)                                                                          \
	"\t" name " -  answers each line \"right_ascension declination year\" of standard input\n" \
	"\t" name " --version  prints the version\n"

static std::string bad_ra(const std::string &t) { return "precession: invalid right ascension string \"" + t + "\"\n"; }
static std::string bad_dec(const std::string &t) { return "precession: invalid declination string \"" + t + "\"\n"; }

// A catalogue run, "precession -", with the text in on standard input.
static Case lines(const std::string &in, const std::string &out, const std::string &err, int status)
{
	return {{"precession", "-"}, out, err, status, in};
}

static const std::vector<Case> cases = {
	// The model: the equinox moves west along the ecliptic, 360 degrees in 25800 years.
	// In 2000 the equinox itself stays at 0 hours, not folded to 24 (y is exactly 0).
	{{"precession", "0", "0", "2000"}, AT("  0.000", "  0.000"), "", 0},
	{{"precession", "6", "23.433333", "2000"}, AT("  6.000", " 23.433"), "", 0},
	{{"precession", "0", "0", "2001"}, AT("  0.001", "  0.006"), "", 0},
	{{"precession", "0", "0", "1900"}, AT(" 23.915", " -0.555"), "", 0},
	{{"precession", "3", "-45", "2050"}, AT("  3.030", "-44.805"), "", 0},
	{{"precession", "0", "90", "2100"}, AT(" 12.043", " 89.445"), "", 0},
	{{"precession", "6", "66.566667", "14900"}, AT(" 18.000", " 19.700"), "", 0},
	// The ecliptic pole stays; a full period brings the equinox back just short of 24 hours.
	{{"precession", "18", "66.566667", "2100"}, AT(" 18.000", " 66.567"), "", 0},
	{{"precession", "0", "0", "27800"}, AT(" 24.000", " -0.000"), "", 0},
	// Right ascensions outside 0 to 24 hours come out folded.
	{{"precession", "25", "10", "2000"}, AT("  1.000", " 10.000"), "", 0},
	{{"precession", "-1", "10", "2000"}, AT(" 23.000", " 10.000"), "", 0},
	// The fold is by 2 pi to the last bit: each of these is a unit in the last
	// place from a rounding edge, and 2 pi one unit larger, or smaller, moves it.
	{{"precession", "-9.1185", "-72.4", "2000"}, AT(" 14.881", "-72.400"), "", 0},
	{{"precession", "-6.9655", "-44.7", "2000"}, AT(" 17.035", "-44.700"), "", 0},
	// Each conversion multiplies first and divides second: these results lie a
	// unit in the last place from a rounding edge, where the other order of the
	// conversion named prints another last digit.
	{{"precession", "1.3", "-1.8585", "2000"}, AT("  1.300", " -1.859"), "", 0},    // hours to radians
	{{"precession", "2.2795", "-80.5", "2000"}, AT("  2.280", "-80.500"), "", 0},   // degrees to radians
	{{"precession", "2.5775", "-78.3", "2000"}, AT("  2.578", "-78.300"), "", 0},   // radians to hours
	{{"precession", "12.5", "-37.1265", "2000"}, AT(" 12.500", "-37.126"), "", 0},  // radians to degrees
	// Arguments read as atof and atoi read them.
	{{"precession", "abc", "def", "ghi"}, AT(" 22.272", "-10.727"), "", 0},
	{{"precession", "0.3e1", "-4.5E1", "2050"}, AT("  3.030", "-44.805"), "", 0},
	{{"precession", "0x3", "-0x2D", "2000"}, AT("  3.000", "-45.000"), "", 0},
	{{"precession", " \t3", "\n-45", " 2050"}, AT("  3.030", "-44.805"), "", 0},
	{{"precession", "3h", "-45o30'", "2050.9"}, AT("  3.030", "-44.805"), "", 0},
	{{"precession", "3", "-45", "0x802"}, AT("  1.793", "-53.938"), "", 0},
	// Argument counts: anything but three gives the usage text.
	{{"precession", "0", "0"}, "", USAGE("precession"), 1},
	{{"precession", "0", "0", "0", "0"}, "", USAGE("precession"), 1},
	{{"bin/prec"}, "", USAGE("bin/prec"), 1},
	// A position carried onto a pole: rounding puts z past 1 or -1, clamped before asin.
	{{"precession", "23.99658596", "89.95560762", "2008"}, AT("  0.000", " 90.000"), "", 0},
	{{"precession", "11.99658296", "-89.95560762", "2008"}, AT(" 12.000", "-90.000"), "", 0},
	// Near a pole x / cos(dec) rounds past 1 or -1, clamped before acos.
	{{"precession", "12.3", "-89.999995", "2001"}, AT("  0.000", "-89.994"), "", 0},
	{{"precession", "1.6", "89.999994", "2002"}, AT(" 12.000", " 89.989"), "", 0},
	// Coordinates that give no finite position in radians are refused, right ascension first.
	{{"precession", "inf", "nan", "2000"}, "", bad_ra("inf"), 1},
	{{"precession", "0", "nan", "2000"}, "", bad_dec("nan"), 1},
	{{"precession", "1e400", "0", "2000"}, "", bad_ra("1e400"), 1},
	{{"precession", "1e308", "0", "2000"}, "", bad_ra("1e308"), 1},
	{{"precession", "5e307", "0", "2000"}, AT(" 23.653", "  0.000"), "", 0},
	{{"precession", "0", "-1e308", "2000"}, "", bad_dec("-1e308"), 1},
	// Years beyond 32 bits saturate; the years since 2000 never overflow.
	{{"precession", "0", "0", "99999999999999999999"}, AT(" 17.289", "-23.071"), "", 0},
	{{"precession", "0", "0", "-2147483648"}, AT("  2.768", " 16.031"), "", 0},
	{{"precession", "0", "0", "-99999999999999999999"}, AT("  2.768", " 16.031"), "", 0},
	// A missing or empty invocation name is taken as precession.  Under an emulator
	// a missing name is run as an empty one, which qemu-user always passes.
	{{}, "", USAGE("precession"), 1},
	{{""}, "", USAGE("precession"), 1},
	{{"", "nan", "0", "0"}, "", bad_ra("nan"), 1},
	// A name whose first byte is above 0x7f is a name, whatever the sign of char.
	{{"\xce\xb1prec"}, "", USAGE("\xce\xb1prec"), 1},
	// An exact tie in the last decimal is rounded to even, as printf does.
	{{"precession", "2.0625", "-85.5625", "2000"}, AT("  2.062", "-85.562"), "", 0},

	// The other forms: help and version on standard output.
	{{"precession", "--help"}, HELP("precession"), "", 0},
	{{"precession", "--version"}, "precession (skyangles) " SKYANGLES_VERSION "\n", "", 0},
	// Catalogue mode: three fields a line, read as the arguments are.
	lines("3 -45 2050\n\n0x3 -0x2D\n0 nan 2000\nabc def ghi\n",
	      AT("  3.030", "-44.805") "\n\n\n" AT(" 22.272", "-10.727"),
	      "precession: line 3: expected 3 fields, found 2\nprecession: line 4: invalid declination string \"nan\"\n", 1),
};

// A result that cannot be written is a failure.
static const std::vector<Case> full = {
	{{"precession", "0", "0", "2000"}, "", "precession: write error: No space left on device\n", 1},
};

int main(int argc, char *argv[]) { return test_main(argc, argv, cases, full); }
