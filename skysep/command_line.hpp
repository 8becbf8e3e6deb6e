// skysep's command line: its usage text, its own options, and the
// settings that they and the common options read into.  Uses
// common/options.hpp for the walk over the arguments.
#ifndef SKYSEP_COMMAND_LINE_HPP
#define SKYSEP_COMMAND_LINE_HPP

#include <cstdio>
#include <cstring>
#include <iterator>

#include "angles.hpp"
#include "coordinates.hpp"
#include "messages.hpp"
#include "options.hpp"
#include "position_angle.hpp"

// The usage text, formatted with the invocation name.
inline const char SKYSEP_USAGE[] =
	"Usage:  %s ra1 dec1 ra2 dec2\n"
	"\tra  format: Hh or HhMm or HhMmSs (any can be decimals)\n"
	"\tdec format: Do or DoM' or DoM'S\" (any can be decimals)\n"
	"\t\twith optional + or - before the degs\n";
// The rest of --help, after the usage text, formatted with the invocation
// name three times: the other forms and the options.
inline const char SKYSEP_HELP[] =
	"\t%s -  answers each line \"ra1 dec1 ra2 dec2\" of standard input\n"
	"\t%s --version  prints the version\n"
	"\t%s [option...] ra1 dec1 ra2 dec2 | - [option...]  with an option or -, also 02:31:49.09 and -16d42m58s\n"
	"Options, before the operands, or after -:\n"
	"\t--from=RA,DEC   the separation of each position \"ra dec\" from RA,DEC\n"
	"\t--hours         right ascensions written as a number alone are in hours\n"
	"\t--degrees       right ascensions written as a number alone are in degrees;\n"
	"\t\t        with -, one of the two is needed for them\n"
	"\t--decimals=N    N decimals, 0 to 9, in place of 6\n"
	"\t--bare          only the numbers\n"
	"\t--unit=UNIT     the separation in degrees, arcmin or arcsec\n"
	"\t--position-angle  also the position angle of the second position seen from the first\n"
	"\t--columns=LIST  with -: the fields of ra1,dec1,ra2,dec2 (ra,dec), numbers or header names\n"
	"\t--bytes=LIST    with -: the same fields as ranges of bytes, 1-2+3-4+5-9,11+12-13+14-15+16-19\n"
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks,\n"
	"\t\t        and with --bare the numbers written so\n";

// The fields of a question, and of a question with --from.
inline const char *const PAIR[] = {"ra1", "dec1", "ra2", "dec2"};
inline const char *const ONE[] = {"ra", "dec"};

// skysep's own options.
enum SkysepOption { OPT_FROM, OPT_UNIT, OPT_POSITION_ANGLE };
constexpr Option SKYSEP_OPTIONS[] = {{"from", "RA,DEC"}, {"unit", "UNIT"}, {"position-angle", nullptr}};

// The units of the decimal separation: the name for --unit, the words of
// the result line between the number and its degrees, minutes and
// seconds, in 16 bytes for put16(), and the factor that, times the angle
// in radians and divided by pi, gives it.
struct Unit {
	const char *name;
	char between[16];
	size_t between_length;
	double per_pi;
};
inline const Unit UNITS[] = {{"degrees", " degrees = ", 11, 180},
                             {"arcmin", " arcminutes = ", 14, 10800},
                             {"arcsec", " arcseconds = ", 14, 648000}};

// What a question is answered with.
struct Skysep {
	Reading reading;
	bool first_release;  // the first release's formula: a run without options
	int decimals;        // of the decimal separation and the position angle
	bool bare;           // the numbers alone
	char between;        // the byte between them: --delimiter's, or a blank
	char header[32];     // the line for a header: the output's column names with --bare
	const Unit *unit;    // of the decimal separation
	bool position_angle; // the position angle too
	bool from;           // --from: each position measured from origin
	Position origin;
	char *from_ra, *from_dec; // --from's texts, until they are read
};

// Takes skysep's option k with its value into s.  --from's value is cut
// into its two texts at its one comma.
inline bool take_skysep_option(const char *prog, Skysep &s, int k, char *value)
{
	switch (k) {
	case OPT_FROM: {
		char *comma = std::strchr(value, ',');
		if (comma == nullptr || comma != std::strrchr(value, ','))
			return misuse(prog, SKYSEP_USAGE, "option --from: \"%s\" is not RA,DEC", escaped(value));
		*comma = '\0';
		s.from = true;
		s.from_ra = value;
		s.from_dec = comma + 1;
		break;
	}
	case OPT_UNIT:
		s.unit = nullptr;
		for (const Unit &unit : UNITS)
			if (std::strcmp(value, unit.name) == 0)
				s.unit = &unit;
		if (s.unit == nullptr)
			return misuse(prog, SKYSEP_USAGE, "option --unit: \"%s\" is not degrees, arcmin or arcsec",
			              escaped(value));
		break;
	case OPT_POSITION_ANGLE:
		s.position_angle = true;
		break;
	}
	return true;
}

// Reads skysep's command line into o, s and cutting.  Returns false after
// a message if it is not one that skysep takes, or if --from's position
// cannot be read.
inline bool read_skysep_command_line(const char *prog, int argc, char *argv[], CommandLine &o, Skysep &s,
                                     Cutting &cutting)
{
	s = Skysep{};
	if (!read_options(prog, argc, argv, SKYSEP_USAGE, 4,
	                  OwnOptions<Skysep>{SKYSEP_OPTIONS, std::size(SKYSEP_OPTIONS), take_skysep_option}, s, o))
		return false;
	if (o.help || o.version)
		return true;
	const char *const *names = s.from ? ONE : PAIR;
	if (!check_operands(prog, SKYSEP_USAGE, o, names, s.from ? 2 : 4, s.from ? "from" : nullptr, cutting))
		return false;
	s.reading = {o.plain ? Reading::MARKS : Reading::CATALOGUE, o.degrees, o.catalogue && !o.hours && !o.degrees};
	s.first_release = o.plain;
	if (s.unit == nullptr)
		s.unit = &UNITS[0];
	s.decimals = o.decimals < 0 ? 6 : o.decimals;
	s.bare = o.bare;
	s.between = o.delimiter != '\0' ? o.delimiter : ' ';
	if (s.bare && s.position_angle)
		std::snprintf(s.header, sizeof s.header, "separation%cposition_angle", s.between);
	else if (s.bare)
		std::snprintf(s.header, sizeof s.header, "separation");
	if (s.from) {
		double ra, dec;
		Refusal refusal;
		if (!get_position(s.from_ra, s.from_dec, s.reading, &ra, &dec, refusal)) {
			report_refusal(prog, 0, refusal, true);
			return false;
		}
		s.origin = position(ra, dec);
	}
	return true;
}

#endif
