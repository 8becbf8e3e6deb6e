// precession: move an equatorial position from the equinox of 2000 to the
// equinox of another year.
//
// usage: precession right_ascension declination year
//        precession -   (lines of right_ascension declination year on standard input)
//        precession [option...] right_ascension declination year | -
//
// Without options, the arguments are read as atof and atoi read them; in
// catalogue mode and with options, as the sexagesimal notations of
// coordinates.hpp or as numbers read in whole, and a text that is neither
// is refused.
// The default model, uniform, is one rigid rotation: into ecliptic
// coordinates with a fixed obliquity of 23o26', about the ecliptic pole by
// one full turn every 25800 years, and back.  Ecliptic latitude is
// unchanged and ecliptic longitude grows by about 50.23 seconds of arc a
// year; there is no nutation, aberration, proper motion or change of
// obliquity.  --model=iau2006 and --model=long-term take a Julian epoch
// and rotate by the matrices of precession_matrices.hpp.
#include "precession_answer.hpp"

int main(int argc, char *argv[])
{
	const char *prog = invocation_name(argc, argv, "precession");
	Options o;
	if (!read_options(prog, argc, argv, PRECESSION, o))
		return 1;
	if (o.help)
		return help(prog, PRECESSION_USAGE, PRECESSION_HELP);
	if (o.version)
		return version(prog, "precession");
	double year;
	EpochMatrix last;
	if (!fix_year(prog, o, year, last))
		return 1;
	if (o.catalogue)
		return answer_stdin(prog, o, precession_answer);
	return answer_once(prog, o, precession_answer);
}
