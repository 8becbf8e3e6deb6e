// precession driven through its argument vector, and through standard
// input with the argument "-".
#include "harness.hpp"

#include <cmath>

#define AT(ra, dec) "R.A. = " ra " hours  Dec = " dec " degrees\n"
#define USAGE(name)                                                  \
	"Usage:  " name " right_ascension declination year\n"           \
	"\tright_ascension and declination are in decimal hours and degrees, respectively\n"

#define HELP(name)                                                                                       \
	USAGE(name)                                                                                          \
	"\t" name " -  answers each line \"right_ascension declination year\" of standard input\n"             \
	"\t" name " --version  prints the version\n"                                                          \
	"\t" name " [option...] right_ascension declination year | - [option...]  with an option or -, also\n" \
	"\t\t6h45m8.9s -16o42'58, 06:45:08.9 -16:42:58 and -16d42m58s, and no text read in part\n"            \
	"Options, before the operands, or after -:\n"                                                        \
	"\t--year=EPOCH    the epoch to which every position is taken: the date of the answer\n"               \
	"\t--from=SYSTEM   the system of the positions given: an EPOCH, J2000 unless said, ICRS or galactic\n" \
	"\t--to=SYSTEM     the system of the answer: mean (the default), true or apparent at the year,\n"      \
	"\t\t        ecliptic of the year, an EPOCH, ICRS or galactic\n"                                       \
	"\t--epoch=EPOCH   the epoch of the positions of moving stars, the --from epoch unless said;\n"         \
	"\t\t        an EPOCH is Julian (2026.94, J2026.94), a date of UTC (2026-12-09T22:00),\n"             \
	"\t\t        a Julian Date of TT (JD2461384.4167), or B1950 for FK4\n"                                \
	"\t--model=NAME    iau2006, the default, from 1000 to 3000; long-term, from -198000 to 202000;\n"       \
	"\t\t        or uniform, the first release's rotation, for whole years\n"                           \
	"\t--proper-motion each question \"right_ascension declination pmra pmdec year\", mas a year\n"        \
	"\t--space-motion  \"right_ascension declination pmra pmdec parallax radial_velocity year\",\n"       \
	"\t\t        parallax in mas, radial velocity in km/s\n"                                            \
	"\t--sexagesimal   positions in colon notation, 12:29:06.699 +02:03:08.16\n"                         \
	"\t--hours         right ascensions written as a number alone are in hours\n"                         \
	"\t--degrees       right ascensions written as a number alone are in degrees, and printed so;\n"      \
	"\t\t        with -, one of the two is needed for them\n"                                           \
	"\t--decimals=N    N decimals, 0 to 9, in place of 3\n"                                            \
	"\t--bare          only the right ascension and the declination\n"                                 \
	"\t--columns=LIST  with -: the fields of a question, numbers or header names:\n"                     \
	"\t\t        right_ascension,declination[,pmra,pmdec[,parallax,radial_velocity]][,year],\n"       \
	"\t\t        or with --from=galactic l,b[,year]\n"                                                    \
	"\t--bytes=LIST    with -: the same fields as ranges of bytes, 1-2+3-4+5-9,11+12-13+14-15+16-19\n"   \
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks,\n"              \
	"\t\t        and with --bare the figures written so\n"                                               \
	"An answer is referred to the mean equator and equinox of its year unless --to says otherwise;\n"   \
	"--to=apparent applies the aberration, the deflection of light and the frame bias, no other.\n"
#define MISUSE(reason) "precession: " reason "\n" USAGE("precession")

static std::string bad_ra(const std::string &t) { return "precession: invalid right ascension string \"" + t + "\"\n"; }
static std::string bad_dec(const std::string &t) { return "precession: invalid declination string \"" + t + "\"\n"; }
static std::string bad_year(const std::string &t) { return "precession: invalid year string \"" + t + "\"\n"; }
static std::string outside(const std::string &t, const std::string &span)
{
	return "precession: year \"" + t + "\" outside the span of " + span + "\n";
}
static std::string outside_epoch(const std::string &t, const std::string &span)
{
	return "precession: epoch \"" + t + "\" outside the span of " + span + "\n";
}
#define IAU2006 "--model=iau2006", "--bare", "--decimals=9"
#define LONG_TERM "--model=long-term", "--bare", "--decimals=9"

// A catalogue run, "precession [OPTION...] -", with the text in on standard input.
static Case lines(const std::string &in, const std::string &out, const std::string &err, int status)
{
	return catalogue_run("precession", {}, in, out, err, status);
}
static Case lines(std::vector<const char *> options, const std::string &in, const std::string &out,
                  const std::string &err, int status)
{
	return catalogue_run("precession", options, in, out, err, status);
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
	{{"precession", "0", "0", "9999999999999999999"}, AT(" 17.289", "-23.071"), "", 0},
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
	// Catalogue mode: three fields a line, each read in whole or refused.
	lines({"--model=uniform"}, "3 -45 2050\n\n0x3 -0x2D\n0 nan 2000\nabc def ghi\n",
	      AT("  3.030", "-44.805") "\n\n\n\n",
	      "precession: line 3: expected 3 fields, found 2\nprecession: line 4: invalid declination string \"nan\"\n"
	      "precession: line 5: invalid right ascension string \"abc\"\n", 1),

	// The options form starts only with one of the options; skysep's --from is not one.
	{{"precession", "--from=0,0", "0", "2000"}, "", "precession: invalid epoch string \"0,0\"\n", 1},
	{{"precession", "--nutation", "0", "2000"}, AT("  0.000", "  0.000"), "", 0},
	{{"precession", "--bare", "--nutation", "0", "0", "2000"}, "", MISUSE("unknown option \"--nutation\""), 1},
	{{"precession", "--bare", "0", "0"}, "", MISUSE("expected 3 operands, right_ascension declination year, or -; found 2"), 1},
	{{"precession", "--columns=1,2", "-"}, "",
	 MISUSE("option --columns: \"1,2\" is not 3 field numbers (1 to 65537) or column names, "
	        "right_ascension,declination,year"), 1},
	// With options, each coordinate in any notation, or as a number that strtod
	// reads in whole, with the value of the same position in decimal hours and degrees.
	{{"precession", "--bare", "6.752472", "-16.716111", "2100"}, "6.827 -16.830\n", "", 0},
	{{"precession", "--bare", "6h45m8.9s", "-16o42'58", "2100"}, "6.827 -16.830\n", "", 0},
	{{"precession", "--bare", "06:45:08.9", "-16:42:58", "2100"}, "6.827 -16.830\n", "", 0},
	{{"precession", "--bare", "6h45m8.9s", "-16d42m58s", "2100"}, "6.827 -16.830\n", "", 0},
	{{"precession", "--bare", "+3", "-4.5e1", "+2050"}, "3.030 -44.804\n", "", 0},
	// A text read in part or not at all is refused, the year too, first in the
	// order right ascension, declination, year.
	{{"precession", "--bare", "J2100", "x", "x"}, "", "precession: invalid right ascension string \"J2100\"\n", 1},
	{{"precession", "--bare", "3", "-45o30'x", "x"}, "", bad_dec("-45o30'x"), 1},
	{{"precession", "--bare", "3", "-45", "2100x"}, "", bad_year("2100x"), 1},
	{{"precession", "--bare", "3", "-45", ""}, "", bad_year(""), 1},
	{{"precession", "--bare", "inf", "0", "2000"}, "", bad_ra("inf"), 1},
	// No blank before a number, which strtod would skip, in any field or value.
	{{"precession", "--bare", " 12", "0", "2000"}, "", bad_ra(" 12"), 1},
	{{"precession", "--model=iau2006", "0", "0", "J 2000"}, "", bad_year("J 2000"), 1},
	{{"precession", "--model=iau2006", "0", "0", "B 1950"}, "", bad_year("B 1950"), 1},
	// Coordinates outside their ranges, which a single run folds, are refused;
	// the right ascension printed as 24.000 is read back.
	lines("25 10 2000\n-1 10 2000\n0 -90.1 2000\n24.000 -45 2000\n", "\n\n\n" AT("  0.000", "-45.000"),
	      "precession: line 1: right ascension \"25\" outside 0 to 24 hours\n"
	      "precession: line 2: right ascension \"-1\" outside 0 to 24 hours\n"
	      "precession: line 3: declination \"-90.1\" outside -90 to 90 degrees\n", 1),
	// In catalogue mode a right ascension written as a number alone needs its unit said.
	{{"precession", "-"}, "\n", "precession: line 1: right ascension \"10.6847\" without a unit: --hours or --degrees says which\n",
	 1, "10.6847 41.2690 2000\n"},
	// With an option, a right ascension that rounds to 24 hours prints as 0, in every model.
	{{"precession", "--model=uniform", "--decimals=3", "0", "-5", "2000"}, AT("  0.000", " -5.000"), "", 0},
	// Years saturate as without options.
	{{"precession", "--model=uniform", "--bare", "0", "0", "99999999999999999999"}, "17.289 -23.071\n", "", 0},
	// --degrees: a right ascension without marks is in degrees, and printed in degrees.
	{{"precession", "--degrees", "101.287083", "-16.716111", "2100"}, "R.A. = 102.404 degrees  Dec = -16.830 degrees\n", "", 0},
	{{"precession", "--degrees", "--bare", "6h45m8.9s", "-16.716111", "2100"}, "102.404 -16.830\n", "", 0},
	// --decimals: every figure, in a field four wider.
	{{"precession", "--decimals=0", "6.75", "-16.7", "2100"}, "R.A. =    7 hours  Dec =  -17 degrees\n", "", 0},
	{{"precession", "--decimals=9", "6.75", "-16.7", "2100"}, AT("  6.824500677", "-16.813910449"), "", 0},
	{{"precession", "--decimals=1", "--bare", "6.75", "-16.7", "2100"}, "6.8 -16.8\n", "", 0},
	// In catalogue mode: the header that the first release read as a position is
	// refused, and a year is an epoch, J2100 the year 2100.
	lines("ra dec year\n06:45:08.9 -16:42:58 J2100\n",
	      "\n" AT("  6.827", "-16.830"), "precession: line 1: invalid right ascension string \"ra\"\n", 1),
	// --year: the one year of every position, read as a year field is.
	{{"precession", "--year=2100", "--bare", "6h45m8.9s", "-16o42'58"}, "6.827 -16.830\n", "", 0},
	{{"precession", "--year=2100", "6", "0", "2100"}, "",
	 MISUSE("expected 2 operands with --year, right_ascension declination, or -; found 3"), 1},
	{{"precession", "--year=2100x", "-"}, "", bad_year("2100x"), 1},
	lines({"--year=2100", "--bare", "--columns=2,1"}, "-16o42'58 6h45m8.9s\n", "6.827 -16.830\n", "", 0),
	// By column name, from CSV, in degrees.
	lines({"--degrees", "--bare", "--delimiter=,", "--columns=RAJ2000,DEJ2000,epoch"},
	      "name,RAJ2000,DEJ2000,epoch\r\n\"Sirius, alpha CMa\",101.287083,-16.716111,2100\r\n",
	      "right_ascension,declination\n102.404,-16.830\n", "", 0),

	// The IAU 2006 and long-term models, against liberfa: eraBp06's rp or
	// eraLtp applied to the unit vector of the position, back by eraC2s and
	// eraAnp, printed with %.9f (%.6f at 1000 and 3000, where the matrices
	// are 2e-9 apart).  Near a pole the right ascension's ninth decimal
	// follows the matrix's last bits, so the rows there are ones where both
	// print the same.  Polaris, 02h31m49.09s +89o15'50.8, to 2100:
	{{"precession", IAU2006, "2.530303", "89.264111", "2100"}, "5.888263491 89.540566891\n", "", 0},
	{{"precession", LONG_TERM, "2.530303", "89.264111", "2100"}, "5.888263315 89.540566904\n", "", 0},
	// Sirius across the span of iau2006, and a decimal epoch.
	{{"precession", IAU2006, "6.752472", "-16.716111", "1900"}, "6.678004417 -16.612446983\n", "", 0},
	{{"precession", IAU2006, "6.752472", "-16.716111", "2200"}, "6.901474547 -16.955184478\n", "", 0},
	{{"precession", "--model=iau2006", "--bare", "--decimals=6", "6.752472", "-16.716111", "1000"},
	 "6.009332 -16.162338\n", "", 0},
	{{"precession", "--model=iau2006", "--bare", "--decimals=6", "6.752472", "-16.716111", "3000"},
	 "7.498070 -18.326088\n", "", 0},
	{{"precession", IAU2006, "2.530303", "89.264111", "2100.5"}, "5.911817113 89.540639661\n", "", 0},
	// Near the poles, and at the pole itself, where the seed's acos is ill conditioned.
	{{"precession", IAU2006, "18", "-89.9999", "1950.25"}, "11.980089039 -89.723003142\n", "", 0},
	{{"precession", LONG_TERM, "12", "89.9999", "-13000"}, "17.133824750 41.994235657\n", "", 0},
	{{"precession", LONG_TERM, "18", "-89.9999", "12000"}, "4.698577196 -47.339352455\n", "", 0},
	// The long-term model to the ends of its span.
	{{"precession", LONG_TERM, "6.752472", "-16.716111", "-198000"}, "10.412692590 -31.957327767\n", "", 0},
	{{"precession", LONG_TERM, "6.752472", "-16.716111", "150000.5"}, "2.047864859 -28.655629348\n", "", 0},
	{{"precession", LONG_TERM, "6.752472", "-16.716111", "202000"}, "2.239490234 -30.311251968\n", "", 0},
	// A right ascension a rounding west of 0 is 0, not 24 as eraAnp leaves it.
	{{"precession", LONG_TERM, "0", "0", "2000"}, "0.000000000 -0.000000000\n", "", 0},
	// --degrees and the full line, as for the uniform model; uniform named is the default.
	{{"precession", "--model=iau2006", "--decimals=9", "--degrees", "37.954545", "89.264111", "2100"},
	 "R.A. =  88.323952362 degrees  Dec =  89.540566891 degrees\n", "", 0},
	{{"precession", "--model=uniform", "--bare", "6h45m8.9s", "-16o42'58", "2100"}, "6.827 -16.830\n", "", 0},
	// The uniform model takes whole years only; the others any epoch that strtod
	// reads in whole, within their spans.
	{{"precession", "--model=uniform", "0", "0", "2100.5"}, "",
	 "precession: year \"2100.5\" not a whole year; --model=iau2006 takes any epoch\n", 1},
	{{"precession", "--bare", "3", "-45", "0x802"}, "",
	 bad_year("0x802"), 1},
	{{"precession", "--model=iau2006", "0", "0", "2100x"}, "", bad_year("2100x"), 1},
	{{"precession", "--model=iau2006", "--bare", "0", "0", "1e3"}, "23.146 -5.533\n", "", 0},
	{{"precession", "--model=iau2006", "0", "0", "999.99999"}, "", outside("999.99999", "iau2006, 1000 to 3000"), 1},
	{{"precession", "--model=iau2006", "0", "0", "3000.00001"}, "", outside("3000.00001", "iau2006, 1000 to 3000"), 1},
	{{"precession", "--model=long-term", "0", "0", "-198000.001"}, "",
	 outside("-198000.001", "long-term, -198000 to 202000"), 1},
	{{"precession", "--model=long-term", "0", "0", "1e400"}, "", bad_year("1e400"), 1},
	{{"precession", "--model=long-term", "--year=202000.1", "-"}, "",
	 outside("202000.1", "long-term, -198000 to 202000"), 1},
	{{"precession", "--model=Uniform", "0", "0", "0"}, "",
	 MISUSE("option --model: \"Uniform\" is not uniform, iau2006 or long-term"), 1},
	// Each line's epoch has its own matrix, and a message names its line.
	lines({IAU2006}, "6.752472 -16.716111 1900\n6.752472 -16.716111 2200\n0 0 5000\n6.752472 -16.716111 1900\n",
	      "6.678004417 -16.612446983\n6.901474547 -16.955184478\n\n6.678004417 -16.612446983\n",
	      "precession: line 3: year \"5000\" outside the span of iau2006, 1000 to 3000\n", 1),
	lines({"--model=long-term", "--year=2100", "--bare", "--decimals=9"}, "2.530303 89.264111\n",
	      "5.888263315 89.540566904\n", "", 0),
	// Epochs: Julian, with or without J; B1950, FK4 at B1950.0, and no other
	// Besselian epoch; upper case.  B1950 needs a model of the IAU's.
	{{"precession", "--model=iau2006", "--bare", "--decimals=9", "2.530303", "89.264111", "J2100.5"},
	 "5.911817113 89.540639661\n", "", 0},
	{{"precession", "--model=iau2006", "--sexagesimal", "--from=B1950.00", "12:26:33.25", "+02:19:43.0", "2000"},
	 "R.A. = 12:29:06.699  Dec = +02:03:08.16\n", "", 0},
	{{"precession", "--model=iau2006", "--sexagesimal", "--year=B1950", "12:29:06.699", "+02:03:08.16"},
	 "R.A. = 12:26:33.250  Dec = +02:19:43.00\n", "", 0},
	{{"precession", "--model=iau2006", "0", "0", "B1900"}, "",
	 "precession: epoch \"B1900\" not read: B1950 is the one Besselian epoch (FK4)\n", 1},
	{{"precession", "--model=iau2006", "0", "0", "b1950"}, "", bad_year("b1950"), 1},
	{{"precession", "--model=iau2006", "0", "0", "B1950x"}, "", bad_year("B1950x"), 1},
	{{"precession", "--model=uniform", "--bare", "0", "0", "B1950."}, "",
	 "precession: epoch \"B1950.\" needs --model=iau2006 or --model=long-term\n", 1},
	// --from: Julian to Julian by P(to) P(from)^T; from J2000 by P(to) alone,
	// the bytes without it; to the same epoch, the position itself; the uniform
	// rotation for the years between.
	{{"precession", "--model=iau2006", "--from=1950", "--bare", "--decimals=9", "6.752472", "-16.716111", "2100"},
	 "6.864174067 -16.891496633\n", "", 0},
	{{"precession", "--model=iau2006", "--from=J2000", "--bare", "--decimals=9", "6.752472", "-16.716111", "2100"},
	 "6.826962896 -16.830373313\n", "", 0},
	{{"precession", "--model=iau2006", "--from", "2100", "--bare", "24", "-16.716111", "2100"}, "0.000 -16.716\n", "", 0},
	{{"precession", "--model=uniform", "--from=1900", "--bare", "0", "0", "2100"}, "0.171 1.109\n", "", 0},
	// --from is an epoch, refused as the year is, but naming an epoch.
	{{"precession", "--model=uniform", "--from=B1950", "-"}, "", "precession: epoch \"B1950\" needs --model=iau2006 or --model=long-term\n", 1},
	{{"precession", "--model=uniform", "--from=2026.94", "-"}, "",
	 "precession: epoch \"2026.94\" not a whole year; --model=iau2006 takes any epoch\n", 1},
	{{"precession", "--from=5000", "--model=iau2006", "-"}, "",
	 "precession: epoch \"5000\" outside the span of iau2006, 1000 to 3000\n", 1},
	// --sexagesimal: HH:MM:SS with the decimals of --decimals, the declination
	// with one fewer and always a sign; each figure rounded once, with its
	// carries; 24:00:00 is 00:00:00, and a southern zero keeps its sign.  Both
	// tools read it back.
	{{"precession", "--model=iau2006", "--from", "2000.5", "--sexagesimal", "--bare", "23:59:59.9999", "-0.000001",
	  "2000.5"}, "00:00:00.000 -00:00:00.00\n", "", 0},
	{{"precession", "--sexagesimal", "--decimals=1", "--model=long-term", "6.752472", "-16.716111", "B1950.0"},
	 "R.A. = 06:42:54.8  Dec = -16:39:47\n", "", 0},
	{{"precession", "--sexagesimal", "--decimals=0", "--bare", "6.752472", "-16.716111", "2100"}, "06:49:37 -16:49:49\n",
	 "", 0},
	lines({"--model=iau2006", "--sexagesimal", "--bare", "--year=2100"}, "12:29:06.699 +02:03:08.16\n",
	      "12:34:13.701 +01:30:03.54\n", "", 0),
	{{"precession", "--sexagesimal", "--degrees", "--bare", "101.287083", "-16.716111", "2000"}, "06:45:08.900 -16:42:58.00\n",
	 "", 0},
	// A star's own motion from its epoch to the target's, then precession:
	// Barnard's star to 2100 by its proper motion from J2000, and in space, with
	// its parallax and radial velocity, from Hipparcos's epoch; an empty
	// parallax or radial velocity is 0.
	{{"precession", "--model=iau2006", "--proper-motion", "--year=2100", "--bare", "--decimals=9", "--degrees",
	  "269.45402305", "+4.66828815", "-798.58", "10328.12"}, "270.665050420 4.955653905\n", "", 0},
	{{"precession", "--model=iau2006", "--space-motion", "--epoch", "1991.25", "--year=2100", "--degrees",
	  "--decimals=9", "--bare", "269.45402305", "+4.66828815", "-798.58", "10328.12", "548.31", "-110.51"},
	 "270.662670589 4.982851590\n", "", 0},
	lines({"--model=iau2006", "--space-motion", "--degrees", "--decimals=9", "--bare", "--delimiter=,"},
	      "269.45402305,+4.66828815,-798.58,10328.12,,,2100\n", "270.665050420,4.955653905\n", "", 0),
	// The fields of motion, in order, and the options that do not go together.
	lines({"--space-motion"}, "0 0 x 0 0 0 2000\n0 0 0 0 y 1 2000\n0 0 0 0 -3.2 0 2000\n0 0 0 0 1 inf 2000\n",
	      "\n\n" AT("  0.000", "  0.000") "\n",
	      "precession: line 1: invalid proper motion string \"x\"\nprecession: line 2: invalid parallax string \"y\"\n"
	      "precession: line 4: invalid radial velocity string \"inf\"\n", 1),
	// An empty proper motion is 0; a star that the standard routines flag, or
	// whose position is not finite, is refused, not printed.
	lines({"--proper-motion", "--delimiter=,", "--bare"}, "1,2,,,2100\n", "1.086,2.536\n", "", 0),
	{{"precession", "--space-motion", "1", "2", "100", "100", "10", "1e6", "2100"}, "",
	 "precession: star moves faster than half the speed of light\n", 1},
	{{"precession", "--space-motion", "1", "2", "0", "0", "1e200", "0", "2100"}, "", "precession: no finite position\n", 1},
	{{"precession", "--proper-motion", "--epoch=nan", "-"}, "", "precession: invalid epoch string \"nan\"\n", 1},
	{{"precession", "--proper-motion", "--epoch=1e150", "-"}, "", outside_epoch("1e150", "iau2006, 1000 to 3000"), 1},
	{{"precession", "--model=iau2006", "--proper-motion", "0", "0", "0", "0"}, "",
	 MISUSE("expected 5 operands, right_ascension declination pmra pmdec year, or -; found 4"), 1},
	{{"precession", "--epoch=2016", "-"}, "", MISUSE("--epoch needs --proper-motion or --space-motion"), 1},
	{{"precession", "--space-motion", "--proper-motion", "-"}, "", MISUSE("--proper-motion and --space-motion together"), 1},
	{{"precession", "--model=uniform", "--to=true", "-"}, "", MISUSE("--to=true needs --model=iau2006"), 1},
	{{"precession", "--model=iau2006", "--from=B1950", "--proper-motion", "-"}, "",
	 MISUSE("proper motion with B1950 is not read"), 1},
	{{"precession", "--model=iau2006", "--proper-motion", "--epoch=B1950", "--year=2100", "1", "1", "100", "100"}, "",
	 MISUSE("proper motion with B1950 is not read"), 1},
	{{"precession", "--model=iau2006", "--proper-motion", "0", "0", "0", "0", "B1950"}, "",
	 "precession: epoch \"B1950\" names the FK4 system: no date of motion\n", 1},
	// --to=true: to the true equator and equinox of the epoch; Polaris, whose
	// mean place of 2026.94 is 03:07:17.204 +89:22:30.67.
	{{"precession", "--to=true", "--sexagesimal", "02:31:49.09", "+89:15:50.8", "2026.94"},
	 "R.A. = 03:07:05.929  Dec = +89:22:38.17\n", "", 0},
	{{"precession", "--to=true", "--year=B1950", "-"}, "",
	 "precession: epoch \"B1950\" names the FK4 system: no date for --to=true\n", 1},
	// --from and --to: the ICRS, galactic and ecliptic systems, each way through
	// the ICRS, the figures and the header's names as for an equator's; Sirius.
	{{"precession", "--from=ICRS", "--to=galactic", "--bare", "--decimals=6", "--degrees", "101.28715533",
	  "-16.71611586", "2000"}, "227.230285 -8.890282\n", "", 0},
	{{"precession", "--from=galactic", "--to=ICRS", "--bare", "--decimals=6", "227.230285", "-8.890282", "2000"},
	 "6.752477 -16.716115\n", "", 0},
	{{"precession", "--from=ICRS", "--to=ecliptic", "--decimals=6", "06:45:08.917", "-16:42:58.02", "2026.94"},
	 "lon = 104.457051 degrees  lat = -39.601919 degrees\n", "", 0},
	lines({"--from=ICRS", "--to=galactic", "--bare", "--delimiter=,", "--columns=ra,dec", "--year=2000"},
	      "ra,dec\n06:45:08.917,-16:42:58.02\n", "l,b\n227.230,-8.890\n", "", 0),
	// --to=EPOCH: the mean equator and equinox of the epoch, whatever the year.
	{{"precession", "--to=2100", "--bare", "--decimals=9", "6.752472", "-16.716111", "1950"},
	 "6.826962896 -16.830373313\n", "", 0},
	// Sirius from Gaia's epoch to the apparent place at a date of UTC, and to
	// the ICRS of a finding chart.
	{{"precession", "--from=ICRS", "--space-motion", "--epoch=2016", "--to=apparent", "--sexagesimal", "06:45:08.917",
	  "-16:42:58.02", "-546.01", "-1223.07", "379.21", "-5.5", "2026-12-09T22:00Z"},
	 "R.A. = 06:46:22.547  Dec = -16:44:48.87\n", "", 0},
	{{"precession", "--from=ICRS", "--space-motion", "--epoch=2016", "--to=ICRS", "--sexagesimal", "06:45:08.917",
	  "-16:42:58.02", "-546.01", "-1223.07", "379.21", "-5.5", "2026.94"},
	 "R.A. = 06:45:08.501  Dec = -16:43:11.40\n", "", 0},
	// Dates of UTC and Julian Dates of TT, 69.184 s apart; a leap second only
	// on its day; none that is not in the calendar.
	{{"precession", "--bare", "--decimals=9", "0", "0", "2026-12-09T22:00Z"}, "0.023010502 0.149964426\n", "", 0},
	{{"precession", "--bare", "--decimals=9", "0", "0", "JD2461384.4167"}, "0.023010501 0.149964414\n", "", 0},
	{{"precession", "--bare", "0", "0", "2016-12-31T23:59:60.5"}, "0.015 0.095\n", "", 0},
	{{"precession", "--bare", "0", "0", "2015-12-31T23:59:60"}, "",
	 "precession: year \"2015-12-31T23:59:60\" not a calendar date\n", 1},
	{{"precession", "--from=2026-02-30", "-"}, "", "precession: epoch \"2026-02-30\" not a calendar date\n", 1},
	{{"precession", "--bare", "0", "0", "2026-12-09Z"}, "", bad_year("2026-12-09Z"), 1},
	{{"precession", "--model=uniform", "--bare", "0", "0", "2026-12-09"}, "",
	 "precession: year \"2026-12-09\" not a whole year; --model=iau2006 takes any epoch\n", 1},
	// What the new systems refuse.
	{{"precession", "--model=uniform", "--to=apparent", "-"}, "", MISUSE("--to=apparent needs --model=iau2006"), 1},
	{{"precession", "--model=long-term", "--from=ICRS", "-"}, "", MISUSE("--from=ICRS needs --model=iau2006"), 1},
	{{"precession", "--to=galactic", "--sexagesimal", "-"}, "", MISUSE("--sexagesimal and --to=galactic together"), 1},
	{{"precession", "--from=galactic", "--hours", "-"}, "", MISUSE("--hours and --from=galactic together"), 1},
	{{"precession", "--from=galactic", "--proper-motion", "-"}, "",
	 MISUSE("--proper-motion and --from=galactic together"), 1},
	{{"precession", "--to=B1950", "--proper-motion", "-"}, "", MISUSE("proper motion with B1950 is not read"), 1},
	{{"precession", "--to=x", "-"}, "",
	 MISUSE("option --to: \"x\" is not an epoch, ICRS, galactic, mean, true, apparent or ecliptic"), 1},
	{{"precession", "--from=galactic", "--bare", "360", "-12:30:00", "2000"}, "18.627 -34.824\n", "", 0},
	{{"precession", "--from=galactic", "--bare", "360.5", "0", "2000"}, "",
	 "precession: galactic longitude \"360.5\" outside 0 to 360 degrees\n", 1},
	// --year is read for the model, whichever comes first.
	{{"precession", "--year=2100.5", "--model=iau2006", "--bare", "--decimals=9", "2.530303", "89.264111"},
	 "5.911817113 89.540639661\n", "", 0},
};

// A result that cannot be written is a failure.
static const std::vector<Case> full = {
	{{"precession", "0", "0", "2000"}, "", "precession: write error: No space left on device\n", 1},
};

// Whether the catalogue reading takes what a single run reads of operand
// i, and prints it as the single run does: a decimal coordinate that
// strtod reads in whole, within 0 to 24 hours or -90 to 90 degrees, and a
// year that strtol reads in whole in base 10, but the year of a whole turn,
// which a single run prints as 24.000 hours and catalogue mode as 0.
static bool read_in_whole(size_t i, const char *text)
{
	char *end;
	double v = i < 2 ? std::strtod(text, &end) : std::strtol(text, &end, 10);
	return end != text && *end == '\0' && (i != 0 || (v >= 0 && v <= 24)) && (i != 1 || std::fabs(v) <= 90) &&
	       std::strpbrk(text, "xX") == nullptr && std::strcmp(text, "27800") != 0; // hexadecimal; a turn, 24.000
}

int main(int argc, char *argv[])
{
	std::vector<Case> all = cases;
	all.push_back(through_catalogue("precession", {"--hours", "--model=uniform"}, 3, cases, read_in_whole));
	return test_main(argc, argv, all, full);
}
