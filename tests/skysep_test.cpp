// skysep driven through its argument vector, and through standard input
// with the argument "-".
#include "harness.hpp"

using namespace std::string_literals;

#define SEP(deg, dms) "angle = " deg " degrees = " dms "\n"
#define USAGE(name)                                                                  \
	"Usage:  " name " ra1 dec1 ra2 dec2\n"                                           \
	"\tra  format: Hh or HhMm or HhMmSs (any can be decimals)\n"                     \
	"\tdec format: Do or DoM' or DoM'S\" (any can be decimals)\n"                   \
	"\t\twith optional + or - before the degs\n"

#define HELP(name)                                                                                    \
	USAGE(name)                                                                                       \
	"\t" name " -  answers each line \"ra1 dec1 ra2 dec2\" of standard input\n"                            \
	"\t" name " --version  prints the version\n"                                                       \
	"\t" name " [option...] ra1 dec1 ra2 dec2 | - [option...]  with an option or -, also 02:31:49.09 and -16d42m58s\n" \
	"Options, before the operands, or after -:\n"                                                     \
	"\t--from=RA,DEC   the separation of each position \"ra dec\" from RA,DEC\n"                          \
	"\t--hours         right ascensions written as a number alone are in hours\n"                        \
	"\t--degrees       right ascensions written as a number alone are in degrees;\n"                     \
	"\t\t        with -, one of the two is needed for them\n"                                          \
	"\t--decimals=N    N decimals, 0 to 9, in place of 6\n"                                             \
	"\t--bare          only the numbers\n"                                                              \
	"\t--unit=UNIT     the separation in degrees, arcmin or arcsec\n"                                    \
	"\t--position-angle  also the position angle of the second position seen from the first\n"        \
	"\t--columns=LIST  with -: the fields of ra1,dec1,ra2,dec2 (ra,dec), numbers or header names\n"     \
	"\t--bytes=LIST    with -: the same fields as ranges of bytes, 1-2+3-4+5-9,11+12-13+14-15+16-19\n"  \
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks,\n"              \
	"\t\t        and with --bare the numbers written so\n"                                           \
	"\t--match=FILE    with -: the line number in FILE of the position \"ra dec\" nearest\n"                \
	"\t\t        each line's, within --radius, and their separation\n"                                 \
	"\t--radius=R      the largest separation of a match, in --unit, 0 to 180 degrees\n"                   \
	"\t--match-columns=LIST  the fields of ra,dec in FILE, as --columns, 1,2 unless given\n"              \
	"\t--match-bytes=LIST    the same fields of FILE as ranges of bytes, as --bytes\n"
// A fault of the options form: the reason, then the usage text.
#define MISUSE(reason) "skysep: " reason "\n" USAGE("skysep")

static std::string bad_ra(const std::string &t) { return "skysep: invalid right ascension string \"" + t + "\"\n"; }
static std::string bad_dec(const std::string &t) { return "skysep: invalid declination string \"" + t + "\"\n"; }

// 400 digits read as infinity; from about 5.7e307, pi times the value overflows.
static const std::string D400 = "1" + std::string(399, '0');
static const std::string N308 = "6" + std::string(307, '0');
static const std::string S308 = "-" + N308;
static const std::string N307 = "5" + std::string(307, '0');

// A catalogue run, "skysep [OPTION...] -", with the text in on standard input.
static Case lines(const std::string &in, const std::string &out, const std::string &err, int status)
{
	return catalogue_run("skysep", {}, in, out, err, status);
}
static Case lines(std::vector<const char *> options, const std::string &in, const std::string &out,
                  const std::string &err, int status)
{
	return catalogue_run("skysep", options, in, out, err, status);
}
// Polaris, and three stars with their separations from it, which are
// astropy 5.2.1's to the six decimals: a catalogue as archives write it,
// in CSV with a header, quoted names that hold commas and quotes, colon
// notation and Windows line ends, then with right ascensions in degrees.
#define POLARIS "--from=02:31:49.09,+89:15:50.8"
static const char STARS[] = "name,ra,dec\r\n"
                            "\"Sirius, alpha CMa\",06:45:08.92,-16:42:58.0\r\n"
                            "\"Betelgeuse, alpha Ori\",05:55:10.31,+07:24:25.4\r\n"
                            "\"Vega, alpha \"\"Lyr\"\"\",18:36:56.34,+38:47:01.3\r\n";
static const char STARS_IN_DEGREES[] = "name,ra,dec\r\n"
                                       "\"Sirius, alpha CMa\",101.287166667,-16:42:58.0\r\n"
                                       "\"Betelgeuse, alpha Ori\",88.792958333,+07:24:25.4\r\n"
                                       "\"Vega, alpha \"\"Lyr\"\"\",279.234750000,+38:47:01.3\r\n";
static const char FROM_POLARIS[] =
	"\n" SEP("106.384712", "106o 23' 5\"") SEP("82.128601", "82o 7' 43\"") SEP("51.572818", "51o 34' 22\"");
// A line of exactly the longest length, 65536 bytes, and one a byte longer.
static const std::string LONGEST = "0 0 6 0" + std::string(65536 - 7, ' ');
static const std::string TOO_LONG = LONGEST + " ";
// n copies of the text s.
static std::string repeat(const std::string &s, int n)
{
	std::string r;
	while (n-- > 0)
		r += s;
	return r;
}
// Lines whose answers fill more than the output buffer of a catalogue run.
static const std::string MANY = repeat("0 0 6 0\n", 2000);

static const std::vector<Case> cases = {
	// Right ascension notations: each reads the hours shown, 15 degrees an hour from 12h.
	{{"skysep", "12.5h", "0", "12", "0"}, SEP("7.500000", "7o 30' 0\""), "", 0},
	{{"skysep", "12h30", "0", "12", "0"}, SEP("7.500000", "7o 30' 0\""), "", 0},
	{{"skysep", "12h30m36s", "0", "12", "0"}, SEP("7.650000", "7o 39' 0\""), "", 0},
	{{"skysep", "12h.5", "0", "12", "0"}, SEP("0.125000", "0o 7' 30\""), "", 0},
	{{"skysep", "13.", "0", "12", "0"}, SEP("15.000000", "15o 0' 0\""), "", 0},
	{{"skysep", "13m", "0", "12", "0"}, SEP("15.000000", "15o 0' 0\""), "", 0},
	{{"skysep", "13m30", "0", "12", "0"}, SEP("15.000000", "15o 0' 0\""), "", 0},
	{{"skysep", "12h30s", "0", "12", "0"}, SEP("7.500000", "7o 30' 0\""), "", 0},
	{{"skysep", "12h75m", "0", "12", "0"}, SEP("18.750000", "18o 45' 0\""), "", 0},
	{{"skysep", "11.2.3", "0", "12", "0"}, SEP("12.000000", "12o 0' 0\""), "", 0},
	{{"skysep", "36", "0", "12", "0"}, SEP("0.000000", "0o 0' 0\""), "", 0},
	// Declination notations: the distance from the north pole, so the sign shows.
	{{"skysep", "0", "45", "0", "90"}, SEP("45.000000", "45o 0' 0\""), "", 0},
	{{"skysep", "0", "+45o30'", "0", "90"}, SEP("44.500000", "44o 30' 0\""), "", 0},
	{{"skysep", "0", "45o30'36\"", "0", "90"}, SEP("44.490000", "44o 29' 24\""), "", 0},
	{{"skysep", "0", "-45o30'", "0", "90"}, SEP("135.500000", "135o 30' 0\""), "", 0},
	{{"skysep", "0", "-0o30'", "0", "90"}, SEP("90.500000", "90o 30' 0\""), "", 0},
	// Rejected texts: a character outside the set, no number, a second sign.
	{{"skysep", "", "0", "0", "0"}, "", bad_ra(""), 1},
	{{"skysep", "h", "0", "0", "0"}, "", bad_ra("h"), 1},
	{{"skysep", ".", "0", "0", "0"}, "", bad_ra("."), 1},
	{{"skysep", "+1", "0", "0", "0"}, "", bad_ra("+1"), 1},
	{{"skysep", "1e3", "0", "0", "0"}, "", bad_ra("1e3"), 1},
	{{"skysep", "12:30", "0", "0", "0"}, "", bad_ra("12:30"), 1},
	{{"skysep", "12 h", "0", "0", "0"}, "", bad_ra("12 h"), 1},
	{{"skysep", "12H", "0", "0", "0"}, "", bad_ra("12H"), 1},
	{{"skysep", "0", "", "0", "0"}, "", bad_dec(""), 1},
	{{"skysep", "0", "+", "0", "0"}, "", bad_dec("+"), 1},
	{{"skysep", "0", "--5", "0", "0"}, "", bad_dec("--5"), 1},
	{{"skysep", "0", "45d", "0", "0"}, "", bad_dec("45d"), 1},
	{{"skysep", "0", "45:30", "0", "0"}, "", bad_dec("45:30"), 1},
	// The text of a refusal is repeated as it is.
	{{"skysep", "\x1b[2J", "0", "0", "0"}, "", bad_ra("\x1b[2J"), 1},
	{{"skysep", "0", "-o30'", "0", "0"}, "", bad_dec("-o30'"), 1},
	// Argument counts: anything but four gives the usage text.
	{{"skysep"}, "", USAGE("skysep"), 1},
	{{"skysep", "0", "0", "0"}, "", USAGE("skysep"), 1},
	{{"skysep", "0", "0", "0", "0", "0"}, "", USAGE("skysep"), 1},
	{{"./sep", "0"}, "", USAGE("./sep"), 1},
	{{"/usr/bin/skysep"}, "", USAGE("/usr/bin/skysep"), 1},
	// Separations: quadrant, opposite points, poles, wrap at 0 hours.
	{{"skysep", "0", "0", "12", "0"}, SEP("180.000000", "180o 0' 0\""), "", 0},
	// Opposite points whose cosine rounds below -1: without the clamp, acos gives nan.
	{{"skysep", "9", "0.5", "21", "-0.5"}, SEP("180.000000", "180o 0' 0\""), "", 0},
	{{"skysep", "0", "+90", "12", "-90"}, SEP("180.000000", "180o 0' 0\""), "", 0},
	{{"skysep", "5h30m", "22o", "5h30m", "22o"}, SEP("0.000000", "0o 0' 0\""), "", 0},
	{{"skysep", "23h59m59", "0", "0", "0"}, SEP("0.004167", "0o 0' 15\""), "", 0},
	{{"skysep", "6h45m8.9s", "-16o42'58", "5h55m10.3s", "+7o24'25"}, SEP("27.104396", "27o 6' 16\""), "", 0},
	// The squares of the chord are summed x, y, z: a separation within a unit in
	// the last place of a rounding edge, where either other order prints 86.140211.
	{{"skysep", "0.3", "-33.3", "0.3", "52.8402105"}, SEP("86.140210", "86o 8' 25\""), "", 0},
	// Rounding to whole seconds, and its carries into minutes and degrees; the
	// half second added must be whole, or 0.501" rounds down (0.000138 does).
	{{"skysep", "0", "0", "0", "0o0'0.4"}, SEP("0.000111", "0o 0' 0\""), "", 0},
	{{"skysep", "0", "0", "0", "0o0'0.501"}, SEP("0.000139", "0o 0' 1\""), "", 0},
	{{"skysep", "0", "0", "0", "0o0'0.6"}, SEP("0.000167", "0o 0' 1\""), "", 0},
	{{"skysep", "0", "0", "0", "0o59'59.6"}, SEP("0.999889", "1o 0' 0\""), "", 0},
	{{"skysep", "0", "0", "0", "0.99999"}, SEP("0.999990", "1o 0' 0\""), "", 0},
	// Minutes are added to the unit before seconds to that: the other order
	// prints 40.145538.
	{{"skysep", "0", "0", "0", "40o8'43.935"}, SEP("40.145537", "40o 8' 44\""), "", 0},
	// Only the first invalid argument, in the order ra1 dec1 ra2 dec2, is reported.
	{{"skysep", "x", "0", "0", "y"}, "", bad_ra("x"), 1},
	{{"skysep", "0", "y", "x", "y"}, "", bad_dec("y"), 1},
	{{"skysep", "0", "0", "x", "y"}, "", bad_ra("x"), 1},
	// Numbers too large for the separation to exist are rejected where read.
	{{"skysep", D400.c_str(), "0", "0", "0"}, "", bad_ra(D400), 1},
	{{"skysep", N308.c_str(), "0", "0", "0"}, "", bad_ra(N308), 1},
	{{"skysep", "0", "0", "0", S308.c_str()}, "", bad_dec(S308), 1},
	{{"skysep", N307.c_str(), "0", "0", N307.c_str()}, SEP("127.894895", "127o 53' 42\""), "", 0},
	// A missing or empty invocation name is taken as skysep.  Under an emulator
	// a missing name is run as an empty one, which qemu-user always passes.
	{{}, "", USAGE("skysep"), 1},
	{{""}, "", USAGE("skysep"), 1},
	{{"", "x", "0", "0", "0"}, "", bad_ra("x"), 1},
	// A name whose first byte is above 0x7f is a name, whatever the sign of char.
	{{"\xce\xb1sep", "x", "0", "0", "0"}, "", "\xce\xb1sep: invalid right ascension string \"x\"\n", 1},
	// Printing rounds an exact tie in the last decimal to even, as printf does:
	// these separations are exactly 4.0078125 and 4.3359375 degrees.
	{{"skysep", "0", "0", "0", "4.0078125"}, SEP("4.007812", "4o 0' 28\""), "", 0},
	{{"skysep", "0", "0", "0", "4.3359375"}, SEP("4.335938", "4o 20' 9\""), "", 0},

	// The options form starts only with one of the options: any other first
	// argument, --help and "--" among them, keeps its meaning.
	{{"skysep", "--x", "0", "0", "0"}, "", bad_ra("--x"), 1},
	{{"skysep", "--help", "0", "0", "0"}, "", bad_ra("--help"), 1},
	{{"skysep", "--model=iau2006", "0", "0", "0"}, "", bad_ra("--model=iau2006"), 1},
	{{"skysep", "--", "0", "0", "6", "0"}, "", USAGE("skysep"), 1},
	{{"skysep", "0", "0", "6", "0", "--bare"}, "", USAGE("skysep"), 1},
	// In it, the first operand or "--" ends the options.
	{{"skysep", "--bare", "0", "0", "6", "0"}, "90.000000\n", "", 0},
	{{"skysep", "--bare", "--", "0", "0", "6", "0"}, "90.000000\n", "", 0},
	{{"skysep", "--bare", "--help"}, HELP("skysep"), "", 0},
	{{"skysep", "--bare", "--version"}, "skysep (skyangles) " SKYANGLES_VERSION "\n", "", 0},
	// A fault of the options gives its reason and the usage text.
	{{"skysep", "--bare", "--x", "0", "0", "6", "0"}, "", MISUSE("unknown option \"--x\""), 1},
	{{"skysep", "--bare", "--bar", "0", "0", "6", "0"}, "", MISUSE("unknown option \"--bar\""), 1},
	{{"skysep", "--bare", "--decimals"}, "", MISUSE("option --decimals needs a value: --decimals=N"), 1},
	{{"skysep", "--bare=1", "0", "0", "6", "0"}, "", MISUSE("option --bare takes no value"), 1},
	{{"skysep", "--decimals=10", "-"}, "", MISUSE("option --decimals: \"10\" is not a number from 0 to 9"), 1},
	{{"skysep", "--decimals=", "-"}, "", MISUSE("option --decimals: \"\" is not a number from 0 to 9"), 1},
	{{"skysep", "--decimals=x", "-"}, "", MISUSE("option --decimals: \"x\" is not a number from 0 to 9"), 1},
	{{"skysep", "--from=0", "-"}, "", MISUSE("option --from: \"0\" is not RA,DEC"), 1},
	{{"skysep", "--from=0,0,0", "-"}, "", MISUSE("option --from: \"0,0,0\" is not RA,DEC"), 1},
	{{"skysep", "--delimiter=ab", "-"}, "",
	 MISUSE("option --delimiter: \"ab\" is not one byte other than a double quote, carriage return or newline"), 1},
	{{"skysep", "--delimiter=\"", "-"}, "",
	 MISUSE("option --delimiter: \"\"\" is not one byte other than a double quote, carriage return or newline"), 1},
	{{"skysep", "--delimiter=\r", "-"}, "",
	 MISUSE("option --delimiter: \"\\x0d\" is not one byte other than a double quote, carriage return or newline"), 1},
	{{"skysep", "--delimiter=\n", "-"}, "",
	 MISUSE("option --delimiter: \"\\x0a\" is not one byte other than a double quote, carriage return or newline"), 1},
	{{"skysep", "--delimiter=", "-"}, "",
	 MISUSE("option --delimiter: \"\" is not one byte other than a double quote, carriage return or newline"), 1},
	{{"skysep", "--columns=1,2,3", "-"}, "",
	 MISUSE("option --columns: \"1,2,3\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--columns=1,2,3,4,5", "-"}, "",
	 MISUSE("option --columns: \"1,2,3,4,5\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--columns=1,,3,4", "-"}, "",
	 MISUSE("option --columns: \"1,,3,4\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--columns=0,2,3,4", "-"}, "",
	 MISUSE("option --columns: \"0,2,3,4\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	lines({"--columns=65537,2,3,4"}, "", "", "", 0),
	{{"skysep", "--columns=65538,2,3,4", "-"}, "",
	 MISUSE("option --columns: \"65538,2,3,4\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--columns=18446744073709551617,2,3,4", "-"}, "",
	 MISUSE("option --columns: \"18446744073709551617,2,3,4\" is not 4 field numbers (1 to 65537) or column names, "
	        "ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--from=0,0", "--columns=1,2,3,4", "-"}, "",
	 MISUSE("option --columns: \"1,2,3,4\" is not 2 field numbers (1 to 65537) or column names, ra,dec"), 1},
	{{"skysep", "--columns=1,2,3,4", "0", "0", "6", "0"}, "",
	 MISUSE("option --columns reads catalogue mode's lines: give the operand -"), 1},
	{{"skysep", "--delimiter=,", "0", "0", "6", "0"}, "",
	 MISUSE("option --delimiter reads catalogue mode's lines: give the operand -"), 1},
	{{"skysep", "--bare", "0", "0", "6"}, "", MISUSE("expected 4 operands, ra1 dec1 ra2 dec2, or -; found 3"), 1},
	{{"skysep", "--from=0,0", "0", "0", "6", "0"}, "",
	 MISUSE("expected 2 operands with --from, ra dec, or -; found 4"), 1},

	// With options, colons for both coordinates, and d and m marks for a
	// declination, each with the value of the same numbers with the first
	// release's marks; a sign applies to the whole declination.
	{{"skysep", "--bare", "12:30", "0", "12", "0"}, "7.500000\n", "", 0},
	{{"skysep", "--bare", "12:30:36", "0", "12", "0"}, "7.650000\n", "", 0},
	{{"skysep", "--bare", "0", "45d30m36s", "0", "90"}, "44.490000\n", "", 0},
	{{"skysep", "--bare", "0", "+45d", "0", "90"}, "45.000000\n", "", 0},
	{{"skysep", "--bare", "0", "45:30:36", "0", "90"}, "44.490000\n", "", 0},
	{{"skysep", "--bare", "0", "-00:30", "0", "90"}, "90.500000\n", "", 0},
	// A text that fits no form in whole is refused, as are signs on a right ascension.
	{{"skysep", "--bare", "12h30:00", "0", "0", "0"}, "", bad_ra("12h30:00"), 1},
	{{"skysep", "--bare", "12:30:36s", "0", "0", "0"}, "", bad_ra("12:30:36s"), 1},
	{{"skysep", "--bare", "0x1", "0", "0", "0"}, "", bad_ra("0x1"), 1},
	// A number alone in any field is a decimal number read whole, as Python and awk print small ones.
	{{"skysep", "--bare", "0", "0", "0", "1e-06"}, "0.000001\n", "", 0},
	{{"skysep", "--bare", "0", "45d30'", "0", "0"}, "", bad_dec("45d30'"), 1},
	{{"skysep", "--bare", "0", "45:30m", "0", "0"}, "", bad_dec("45:30m"), 1},
	{{"skysep", "--bare", "0", "+-5", "0", "0"}, "", bad_dec("+-5"), 1},
	{{"skysep", "--bare", "0", "-", "0", "0"}, "", bad_dec("-"), 1},
	{{"skysep", "--bare", "0", "0", "0", N308.c_str()}, "", bad_dec(N308), 1},
	// Control bytes of a refused text are escaped, with options as in catalogue mode.
	{{"skysep", "--bare", "\x1b[2J", "0", "0", "0"}, "", bad_ra("\\x1b[2J"), 1},
	// --degrees: a right ascension without marks is in degrees; one with marks
	// in hours, and a declination in degrees as always.
	{{"skysep", "--degrees", "--bare", "15", "0", "0", "0"}, "15.000000\n", "", 0},
	{{"skysep", "--degrees", "--bare", "1h", "0", "0", "0"}, "15.000000\n", "", 0},
	{{"skysep", "--degrees", "--bare", "01:00", "0", "0", "0"}, "15.000000\n", "", 0},
	{{"skysep", "--degrees", "--bare", "1m", "0", "0", "0"}, "", bad_ra("1m"), 1},
	// --decimals: printf's, whatever their number; the seconds are unchanged.
	{{"skysep", "--decimals=0", "6h45m8.9s", "-16o42'58", "5h55m10.3s", "+7o24'25"}, SEP("27", "27o 6' 16\""), "", 0},
	{{"skysep", "--decimals=9", "6h45m8.9s", "-16o42'58", "5h55m10.3s", "+7o24'25"}, SEP("27.104395573", "27o 6' 16\""), "", 0},
	{{"skysep", "--decimals=2", "--bare", "0", "0", "0", "4.0078125"}, "4.01\n", "", 0},
	// --from: each position measured from one, with the first release's line.
	{{"skysep", "--from=6h45m8.9s,-16o42'58", "5h55m10.3s", "+7o24'25"}, SEP("27.104396", "27o 6' 16\""), "", 0},
	// A value as the next argument, as GNU programs take it.
	{{"skysep", "--decimals", "3", "0", "0", "6", "0"}, SEP("90.000", "90o 0' 0\""), "", 0},
	{{"skysep", "--bare", "--from", "0,90", "0", "-30"}, "120.000000\n", "", 0},
	// A value read after every option: --degrees before or after --from.
	{{"skysep", "--degrees", "--from=15,0", "--bare", "0", "0"}, "15.000000\n", "", 0},
	{{"skysep", "--from=15,0", "--degrees", "--bare", "0", "0"}, "15.000000\n", "", 0},
	{{"skysep", "--from=\x1b[2J,0", "0", "0"}, "", bad_ra("\\x1b[2J"), 1},
	{{"skysep", "--hours", "--from=0,x", "-"}, "", bad_dec("x"), 1},
	{{"skysep", "--from=0,90", "0", "x"}, "", bad_dec("x"), 1},

	// Runs with an option or "-" keep every digit near 0 and 180 degrees, where
	// the first release's chord loses them: exactly opposite texts, 1 mas, and
	// a true separation of 86.1402105 degrees, a rounding edge.
	{{"skysep", "0", "0.3", "12", "-0.3"}, SEP("179.999998", "180o 0' 0\""), "", 0},
	{{"skysep", "--decimals=9", "0", "0.3", "12", "-0.3"}, SEP("180.000000000", "180o 0' 0\""), "", 0},
	lines({"--unit=arcsec", "--decimals=9", "--bare"}, "0 0 0 0o0'0.001\n", "0.001000000\n", "", 0),
	lines({"--decimals=9"}, "0.3 -33.3 0.3 52.8402105\n", SEP("86.140210500", "86o 8' 25\""), "", 0),
	// --unit: the separation in arcminutes or arcseconds; the degrees, minutes
	// and seconds as they were.  --position-angle: of the second position seen
	// from the first, north through east, in degrees (Mizar and Alcor).
	{{"skysep", "--unit=arcsec", "13:23:55.5", "+54:55:31", "13:25:13.5", "+54:59:17"},
	 "angle = 708.803445 arcseconds = 0o 11' 49\"\n", "", 0},
	{{"skysep", "--unit", "arcmin", "--bare", "13:23:55.5", "+54:55:31", "13:25:13.5", "+54:59:17"}, "11.813391\n", "", 0},
	{{"skysep", "--unit=radians", "-"}, "", MISUSE("option --unit: \"radians\" is not degrees, arcmin or arcsec"), 1},
	{{"skysep", "--position-angle", "13:23:55.5", "+54:55:31", "13:25:13.5", "+54:59:17"},
	 "angle = 0.196890 degrees = 0o 11' 49\"  position angle = 71.273804 degrees\n", "", 0},
	{{"skysep", "--position-angle", "--unit=arcsec", "--bare", "--decimals=3", "13:23:55.5", "+54:55:31", "13:25:13.5",
	  "+54:59:17"}, "708.803 71.274\n", "", 0},
	// It is 0 to 360, 0 for a figure that rounds to 360, and 0 where the
	// separation prints as 0; with --from, each position seen from that one.
	{{"skysep", "--position-angle", "--bare", "0", "0", "0", "-1"}, "1.000000 180.000000\n", "", 0},
	{{"skysep", "--position-angle", "--bare", "0", "0", "23:59:59.99999999", "1"}, "1.000000 0.000000\n", "", 0},
	{{"skysep", "--position-angle", "--bare", "0", "0", "0.000000001", "0"}, "0.000000 0.000000\n", "", 0},
	lines({"--position-angle", "--bare", "--from=0,0"}, "6 0\n0 -1\n", "90.000000 90.000000\n1.000000 180.000000\n", "", 0),

	// The other forms: help and version on standard output; "-" only alone.
	{{"skysep", "--help"}, HELP("skysep"), "", 0},
	{{"skysep", "--version"}, "skysep (skyangles) " SKYANGLES_VERSION "\n", "", 0},
	{{"skysep", "-", "x"}, "", USAGE("skysep"), 1},
	// Options may follow "-", but four arguments are a single question, whatever they hold.
	{{"skysep", "-", "--bare", "--hours"}, "90.000000\n", "", 0, "0 0 6 0\n"},
	{{"skysep", "-", "--bare", "--hours", "0"}, "", bad_ra("-"), 1},
	{{"skysep", "--bare", "-", "x"}, "", MISUSE("expected 4 operands, ra1 dec1 ra2 dec2, or -; found 2"), 1},
	// In catalogue mode a right ascension written as a number alone needs its unit said.
	{{"skysep", "-"}, "\n", "skysep: line 1: right ascension \"10.6847\" without a unit: --hours or --degrees says which\n",
	 1, "10.6847 41.2690 10.0 41.0\n"},
	{{"skysep", "--degrees", "-"}, SEP("0.581634", "0o 34' 54\""), "", 0, "10.6847 41.2690 10.0 41.0\n"},
	{{"skysep", "--from=10.6847,41.2690", "-"}, "",
	 "skysep: right ascension \"10.6847\" without a unit: --hours or --degrees says which\n", 1},
	{{"skysep", "--hours", "--degrees", "-"}, "", MISUSE("--hours and --degrees together"), 1},
	// Exactly 60 minutes or seconds, as a catalogue that rounds writes them, is read as written.
	lines({"--bare", "--from=0,0"}, "00:00:60.00 0\n", "0.250000\n", "", 0),
	// Catalogue mode: one output line for each input line, the last one with
	// or without its newline, one carriage return before it taken as the line end.
	lines("6h45m8.9s -16o42'58 5h55m10.3s +7o24'25\n0 0 12 0", SEP("27.104396", "27o 6' 16\"") SEP("180.000000", "180o 0' 0\""), "", 0),
	lines("0 0 6 0\r\n", SEP("90.000000", "90o 0' 0\""), "", 0),
	lines("0 0 6 0\r\r\n", "\n", "skysep: line 1: invalid declination string \"0\\x0d\"\n", 1),
	lines(" \t0 0\t\t6   0 \t\n", SEP("90.000000", "90o 0' 0\""), "", 0),
	// Blank lines, comments and headers give an empty line and no message.
	lines("\n \t\n# ra1 dec1 ra2 dec2\n  #x\n", "\n\n\n\n", "", 0),
	// A line in error gives an empty line and a message naming it, and the run
	// goes on, to end with status 1.
	lines("0 0 6\n0 0 6 0 0\n0 0 6 0\n", "\n\n" SEP("90.000000", "90o 0' 0\""),
	      "skysep: line 1: expected 4 fields, found 3\nskysep: line 2: expected 4 fields, found 5\n", 1),
	lines("0 0 6 0\n0 y x 0\n", SEP("90.000000", "90o 0' 0\"") "\n", "skysep: line 2: invalid declination string \"y\"\n", 1),
	// Quote marks are characters of the field; control bytes are escaped.
	lines("0 \"-16o42'58\" 0 0\n", "\n", "skysep: line 1: invalid declination string \"\"-16o42'58\"\"\n", 1),
	lines("\x1b[2J 0 0 0\n", "\n", "skysep: line 1: invalid right ascension string \"\\x1b[2J\"\n", 1),
	lines("0 0 0 \x7f\n", "\n", "skysep: line 1: invalid declination string \"\\x7f\"\n", 1),
	// Too long before its line end: the longest line, with a carriage return,
	// is answered (lines_test reads lines across every block edge); a byte
	// more is refused whole, and the next line is read; a line longer than
	// any block is skipped to its end, the end of the input here.
	lines(LONGEST + "\r\n", SEP("90.000000", "90o 0' 0\""), "", 0),
	lines(TOO_LONG + "\n0 0 6 0\n", "\n" SEP("90.000000", "90o 0' 0\""), "skysep: line 1: line too long\n", 1),
	lines("0 0 6 0\n" + TOO_LONG + TOO_LONG + TOO_LONG, SEP("90.000000", "90o 0' 0\"") "\n", "skysep: line 2: line too long\n", 1),
	lines("\0"s + TOO_LONG + "\n", "\n", "skysep: line 1: line too long\n", 1),
	lines("0 0\0 6 0\n#\0\n"s, "\n\n", "skysep: line 1: NUL byte in line\nskysep: line 2: NUL byte in line\n", 1),
	// Standard input that cannot be read ends the run.
	{{"skysep", "-"}, "", "skysep: read error: Is a directory\n", 1, "", "/"},
	// The catalogue reading: degree marks o or ° with ' or ′ and " or ″, and
	// ° for a right ascension in degrees only; blanks between the numbers.
	{{"skysep", "--bare", "0", "45\u00b030\u203236\u2033", "0", "90"}, "44.490000\n", "", 0},
	{{"skysep", "--bare", "0", "-45\u00b030'36\"", "0", "90"}, "135.510000\n", "", 0},
	{{"skysep", "--bare", "0", "45\u00b0", "0", "90"}, "45.000000\n", "", 0},
	{{"skysep", "--degrees", "--bare", "15\u00b030\u2032", "0", "0", "0"}, "15.500000\n", "", 0},
	{{"skysep", "--bare", "15\u00b0", "0", "0", "0"}, "", bad_ra("15\u00b0"), 1},
	{{"skysep", "--degrees", "--bare", "15o", "0", "0", "0"}, "", bad_ra("15o"), 1},
	{{"skysep", "--bare", "12 30", "0", "12", "0"}, "7.500000\n", "", 0},
	{{"skysep", "--degrees", "--bare", "12  30  36", "0", "12h", "0"}, "7.650000\n", "", 0},
	{{"skysep", "--bare", "0", "+45 30 36", "0", "90"}, "44.490000\n", "", 0},
	{{"skysep", "--bare", "12h 30m", "0", "0", "0"}, "", bad_ra("12h 30m"), 1},
	{{"skysep", "--bare", "12 30 ", "0", "0", "0"}, "", bad_ra("12 30 "), 1},
	{{"skysep", "--bare", "0", "- 45", "0", "0"}, "", bad_dec("- 45"), 1},
	// Each text read whole: after the last number, only the next mark or the
	// one that closes the seconds.
	{{"skysep", "--bare", "12h", "0", "0", "0"}, "180.000000\n", "", 0},
	{{"skysep", "--bare", "12h30m", "0", "12", "0"}, "7.500000\n", "", 0},
	{{"skysep", "--bare", "12:30:36:5", "0", "0", "0"}, "", bad_ra("12:30:36:5"), 1},
	{{"skysep", "--bare", "12:", "0", "0", "0"}, "", bad_ra("12:"), 1},
	{{"skysep", "--bare", "0", "+41::09", "0", "0"}, "", bad_dec("+41::09"), 1},
	{{"skysep", "--bare", "0", "41o30'9\"x", "0", "0"}, "", bad_dec("41o30'9\"x"), 1},
	// Refused for their values: minutes or seconds of 60 or more, then a range,
	// in the unit read; the ends are inside.
	{{"skysep", "--bare", "12:75:00", "0", "0", "0"}, "", "skysep: right ascension \"12:75:00\" with more than 60 minutes or seconds\n", 1},
	{{"skysep", "--bare", "0", "45d0m60.01s", "0", "0"}, "", "skysep: declination \"45d0m60.01s\" with more than 60 minutes or seconds\n", 1},
	{{"skysep", "--bare", "187.2779", "2.0524", "0", "0"}, "", "skysep: right ascension \"187.2779\" outside 0 to 24 hours\n", 1},
	{{"skysep", "--degrees", "--bare", "360.001", "0", "0", "0"}, "", "skysep: right ascension \"360.001\" outside 0 to 360 degrees\n", 1},
	{{"skysep", "--degrees", "--bare", "25h", "0", "0", "0"}, "", "skysep: right ascension \"25h\" outside 0 to 24 hours\n", 1},
	{{"skysep", "--bare", "0", "-90.5", "0", "0"}, "", "skysep: declination \"-90.5\" outside -90 to 90 degrees\n", 1},
	{{"skysep", "--degrees", "--bare", "24h", "-90", "360", "90"}, "180.000000\n", "", 0},
	// Each field whole, in order: its form, then 60, then the range.
	{{"skysep", "--bare", "25:61", "x", "0", "0"}, "", "skysep: right ascension \"25:61\" with more than 60 minutes or seconds\n", 1},
	{{"skysep", "--bare", "25", "x", "0", "0"}, "", "skysep: right ascension \"25\" outside 0 to 24 hours\n", 1},
	// The single run's texts that the catalogue reading refuses.
	lines("13m 0 12 0\n13m30 0 12 0\n12h30s 0 12 0\n12h75m 0 12 0\n11.2.3 0 12 0\n36 0 12 0\n", "\n\n\n\n\n\n",
	      "skysep: line 1: invalid right ascension string \"13m\"\nskysep: line 2: invalid right ascension string \"13m30\"\n"
	      "skysep: line 3: invalid right ascension string \"12h30s\"\n"
	      "skysep: line 4: right ascension \"12h75m\" with more than 60 minutes or seconds\n"
	      "skysep: line 5: invalid right ascension string \"11.2.3\"\n"
	      "skysep: line 6: right ascension \"36\" outside 0 to 24 hours\n", 1),
	// Catalogue mode reads every form, and refuses what it cannot read in whole.
	lines("12:30 0 12 0\n0 -16d42m58s 0 90\n-1 0 0 0\n", SEP("7.500000", "7o 30' 0\"") SEP("106.716111", "106o 42' 58\"") "\n",
	      "skysep: line 3: right ascension \"-1\" outside 0 to 24 hours\n", 1),

	// --columns by number: the fields in its order, others ignored, and a line
	// needs as many fields as the largest number.
	lines({"--from=0,90", "--bare", "--columns=3,2"}, "x -30 0 y\n0 0\n", "120.000000\n\n",
	      "skysep: line 2: expected at least 3 fields, found 2\n", 1),
	lines({"--bare", "--columns=3,4,1,2"}, "6 0 0 90\n", "90.000000\n", "", 0),
	// By name: the first line neither blank nor a comment is the header, matched
	// exactly, its first field of a name taken; it gives an empty line.
	lines({"--from=0,90", "--bare", "--columns=ra,dec"}, "# c\n\nname dec ra dec\nx -30 0 10\n", "\n\nseparation\n120.000000\n", "", 0),
	lines({"--from=0,90", "--columns=1,dec"}, "ra dec\n0 -30\n", "\n" SEP("120.000000", "120o 0' 0\""), "", 0),
	lines({"--from=0,90", "--bare", "--columns=ra,dec"}, "ra dec\n0\n", "separation\n\n", "skysep: line 2: expected at least 2 fields, found 1\n", 1),
	// A header that lacks a name, or cannot be read, ends the run at once.
	lines({"--from=0,90", "--columns=ra,Dec"}, "ra dec\n0 -30\n", "", "skysep: line 1: no column \"Dec\"\n", 1),
	lines({"--from=0,90", "--columns=ra,dec", "--delimiter=,"}, "\"ra,dec\n0,-30\n", "",
	      "skysep: line 1: unterminated quoted field\n", 1),
	lines({"--from=0,90", "--columns=ra,dec"}, "\0\n0 -30\n"s, "", "skysep: line 1: NUL byte in line\n", 1),
	// --delimiter: each separates, an empty field counts, blanks and tabs around
	// a field go; a quoted field may hold the delimiter and "" for a quote, and
	// keeps its blanks and what follows its closing quote.
	lines({"--from=0,90", "--bare", "--delimiter=,"}, " 0 ,\t-30\t\n0,-30,\n,\n\"0\",\"-30\"\n",
	      "120.000000\n\n\n120.000000\n",
	      "skysep: line 2: expected 2 fields, found 3\nskysep: line 3: invalid right ascension string \"\"\n", 1),
	lines({"--from=0,90", "--bare", "--delimiter=,", "--columns=3,2"}, "\"a,\"\"b\"\"\",-30,0\n\"0 \",\"-3\"0\n",
	      "120.000000\n\n", "skysep: line 2: expected at least 3 fields, found 2\n", 1),
	lines({"--from=0,90", "--delimiter=,"}, "\" 0\",-30\n0,\"-30\"x\n\"0 \",-30\n", "\n\n\n",
	      "skysep: line 1: invalid right ascension string \" 0\"\nskysep: line 2: invalid declination string \"-30x\"\n"
	      "skysep: line 3: invalid right ascension string \"0 \"\n", 1),
	// A quoted first field is no comment, whatever it holds.
	lines({"--from=0,90", "--bare", "--delimiter=,", "--columns=2,3"}, "\"M \"\"#31, Andromeda\"\"\",0,-30\n",
	      "120.000000\n", "", 0),
	lines({"--from=0,90", "--delimiter=,"}, "0,\"-30\n", "\n", "skysep: line 1: unterminated quoted field\n", 1),
	// A blank or tab as the delimiter separates, and is not dropped.
	lines({"--from=0,90", "--bare", "--delimiter=\t", "--columns=1,3"}, "0\t\t-30\n", "120.000000\n", "", 0),
	lines({"--from=0,90", "--bare", "--delimiter= "}, "0  -30\n", "\n", "skysep: line 1: expected 2 fields, found 3\n", 1),
	// A UTF-8 byte order mark before the first line is dropped, and only there.
	lines({"--from=0,90", "--bare", "--delimiter=,", "--columns=ra,dec", "--position-angle"}, "\xef\xbb\xbfra,dec\n0,-30\n",
	      "separation,position_angle\n120.000000,180.000000\n", "", 0),
	lines("\xef\xbb\xbf" "0 0 6 0\n\xef\xbb\xbf" "0 0 6 0\n", SEP("90.000000", "90o 0' 0\"") "\n",
	      "skysep: line 2: invalid right ascension string \"\\xef\\xbb\\xbf0\"\n", 1),
	// Blank lines and comments are as without it.
	lines({"--bare", "--delimiter=,"}, " \t\n # x,y\n", "\n\n", "", 0),
	// Split columns joined, by name or number, a lone sign first; as if
	// written with colons, whatever the fields hold.
	lines({"--from=12:29:06.70,+02:03:08.6", "--bare", "--delimiter=,", "--columns=RAh+RAm+RAs,DE-+DEd+DEm+DEs"},
	      "RAh,RAm,RAs,DE-,DEd,DEm,DEs\n12,29,06.70,+,02,03,08.6\n12,29,06.70,-,02,03,08.6\n12,29,06.70,-2,03,08,6\n",
	      "separation\n0.000000\n4.104778\n\n", "skysep: line 4: invalid declination string \"-2:03:08:6\"\n", 1),
	lines({"--from", "0,90", "--bare", "--columns", "2+1,3+4+5"}, "30 0 - 30 0\n75 12 + 30 0\n",
	      "120.000000\n\n", "skysep: line 2: right ascension \"12:75\" with more than 60 minutes or seconds\n", 1),
	lines({"--from=0,90", "--columns=1,2+3"}, "0 - 30\n", "\n", "skysep: line 1: invalid declination string \"-:30\"\n", 1),
	{{"skysep", "--columns=1+2+3+4+5,6,7,8", "-"}, "",
	 MISUSE("option --columns: \"1+2+3+4+5,6,7,8\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	{{"skysep", "--columns=1+,2,3,4", "-"}, "",
	 MISUSE("option --columns: \"1+,2,3,4\" is not 4 field numbers (1 to 65537) or column names, ra1,dec1,ra2,dec2"), 1},
	// --bytes: fixed-width fields, padding dropped, a lone sign byte first; a line
	// that ends before a range is refused, naming it.
	lines({POLARIS, "--bare", "--bytes=1-2+3-4+5-9,11+12-13+14-15+16-19"},
	      "064508.92 -164258.0 Sirius\n064508.92 -164258\n 6 8 9.20 +16 0 5.0\n",
	      "106.384712\n\n73.567836\n", "skysep: line 2: line of 17 bytes ends before bytes 16-19\n", 1),
	{{"skysep", "--bytes=1-2,3", "--columns=1,2", "-"}, "", MISUSE("--bytes and --columns together"), 1},
	{{"skysep", "--from=0,0", "--bytes=1-2,4-3", "-"}, "",
	 MISUSE("option --bytes: \"1-2,4-3\" is not 2 ranges of bytes (N or N-M, 1 to 65536), ra,dec"), 1},
	// A message shows what no terminal would: bytes not of valid UTF-8 and C1 controls escaped.
	lines("\xff\xc3(\xc2\x9b\xc2\xb0 0 0 0\n", "\n",
	      "skysep: line 1: invalid right ascension string \"\\xff\\xc3(\\xc2\\x9b\xc2\xb0\"\n", 1),
	// A real catalogue's shape, by column name, in hours and in degrees: the same bytes.
	lines({POLARIS, "--delimiter=,", "--columns=ra,dec"}, STARS, FROM_POLARIS, "", 0),
	lines({"--degrees", "--from=37.954541667,+89:15:50.8", "--delimiter=,", "--columns=ra,dec"}, STARS_IN_DEGREES,
	      FROM_POLARIS, "", 0),

	// --match: the line number in FILE of the nearest, of two as near the
	// first; none within the radius; FILE's refused line named, the match
	// going on without it.  The files are MATCH_FILES, below.
	lines({"--match=stars.txt", "--radius=1", "--unit=arcmin"},
	      "06:45:09 -16:42:58\n02:31:49.09 +89:15:50.8\n12 -89.9\n12 0\n",
	      "match = 2  angle = 0.019155 arcminutes\nmatch = 3  angle = 0.000000 arcminutes\nmatch = none\n"
	      "match = none\n",
	      "skysep: stars.txt:4: invalid right ascension string \"x\"\n", 1),
	lines({"--match=stars.txt", "--radius=6", "--unit=arcmin", "--bare", "--position-angle"}, "12 -89.9\n12 0\n",
	      "7 6.000000 180.000000\n0\n", "skysep: stars.txt:4: invalid right ascension string \"x\"\n", 1),
	// FILE's columns by name, its header skipped; the header's line names the fields.
	lines({"--degrees", "--match=stars.csv", "--match-columns=ra,dec", "--columns=ra,dec", "--delimiter=,",
	       "--radius=3600", "--unit=arcsec", "--bare", "--position-angle"},
	      "dec,ra\n-16.7,101.3\n", "match,separation,position_angle\n2,72.986096,217.888120\n", "", 0),
	lines({"--degrees", "--match=fixed.txt", "--match-bytes=1-6,8-13", "--radius=0.1"}, "101.3 -16.7\n",
	      "match = 1  angle = 0.022175 degrees\n", "", 0),
	// A FILE unread, or whose header lacks a name, ends the run before any line.
	lines({"--degrees", "--match=stars.csv", "--match-columns=RA,dec", "--delimiter=,", "--radius=1"},
	      "101.3,-16.7\n", "", "skysep: stars.csv:1: no column \"RA\"\n", 1),
	lines({"--match=none.txt", "--radius=1"}, "0 0\n", "", "skysep: none.txt: No such file or directory\n", 1),
	lines({"--match=.", "--radius=1"}, "0 0\n", "", "skysep: .: Is a directory\n", 1),
	// A match's options go together, with "-" alone; the radius in the unit.
	{{"skysep", "--match=stars.txt", "-"}, "", MISUSE("--match needs --radius"), 1},
	{{"skysep", "--radius=1", "-"}, "", MISUSE("--radius needs --match"), 1},
	{{"skysep", "--match-columns=1,2", "-"}, "", MISUSE("--match-columns needs --match"), 1},
	{{"skysep", "--match=stars.txt", "--radius=1", "--from=0,0", "-"}, "", MISUSE("--match and --from together"), 1},
	{{"skysep", "--match=stars.txt", "--radius=1", "0", "0"}, "",
	 MISUSE("option --match reads catalogue mode's lines: give the operand -"), 1},
	{{"skysep", "--match=stars.txt", "--radius=1", "--match-bytes=1,2", "--delimiter=,", "-"}, "",
	 MISUSE("--match-bytes and --delimiter together"), 1},
	{{"skysep", "--match=stars.txt", "--radius=648001", "--unit=arcsec", "-"}, "",
	 MISUSE("option --radius: \"648001\" is not a number of arcsec from 0 to 648000"), 1},
	{{"skysep", "--match=stars.txt", "--radius=-1", "-"}, "",
	 MISUSE("option --radius: \"-1\" is not a number of degrees from 0 to 180"), 1},
	{{"skysep", "--match=stars.txt", "--radius=1", "--match-columns=1", "-"}, "",
	 MISUSE("option --match-columns: \"1\" is not 2 field numbers (1 to 65537) or column names, ra,dec"), 1},
};

// The files that the rows of --match read, in the folder where they run.
static const char *const MATCH_FILES[][2] = {
	{"stars.txt", "# bright stars\n06:45:08.92 -16:42:58.0\n02:31:49.09 +89:15:50.8\nx 0\n\n"
	              "02:31:49.09 +89:15:50.8\n0 -90\n"},
	{"stars.csv", "name,ra,dec\nSirius,101.287,-16.716\n\"Polaris, alpha UMi\",37.95,89.26\n"},
	{"fixed.txt", "101.29 -16.72 Sirius\n"},
};

// A result that cannot be written is a failure.
static const std::vector<Case> full = {
	{{"skysep", "0", "0", "6", "0"}, "", "skysep: write error: No space left on device\n", 1},
	// The run ends at the first write that fails, before a later line in error.
	lines(MANY + "x 0 0 0\n", "", "skysep: write error: No space left on device\n", 1),
	{{"skysep", "--version"}, "", "skysep: write error: No space left on device\n", 1},
	{{"skysep", "--help"}, "", "skysep: write error: No space left on device\n", 1},
};

// Whether catalogue mode gives the line that a single run gives for a
// text: all but those read in part, with 60 or more minutes, or outside 0
// to 24 hours, and those of pairs where the first release's formula loses
// a digit, which have their catalogue rows above.
static bool read_in_whole(size_t, const char *text)
{
	for (const char *refused : {"13m", "13m30", "12h30s", "12h75m", "11.2.3", "36", N307.c_str(), "52.8402105", "-0.3"})
		if (std::strcmp(text, refused) == 0)
			return false;
	return true;
}

int main(int argc, char *argv[])
{
	std::vector<Case> all = cases;
	all.push_back(through_catalogue("skysep", {"--hours"}, 4, cases, read_in_whole));
	if (argc == 3 && std::strcmp(argv[1], "--corpus") == 0) // the seeds, in a folder named from here
		return test_main(argc, argv, all, full);
	char dir[] = "/tmp/skyangles-match-XXXXXX";
	if (mkdtemp(dir) == nullptr || chdir(dir) != 0)
		return std::perror(dir), 2;
	for (const auto &file : MATCH_FILES) {
		FILE *f = std::fopen(file[0], "w");
		if (f == nullptr || std::fputs(file[1], f) < 0 || std::fclose(f) != 0)
			return std::perror(file[0]), 2;
	}
	int status = test_main(argc, argv, all, full);
	for (const auto &file : MATCH_FILES)
		unlink(file[0]);
	rmdir(dir);
	return status;
}
