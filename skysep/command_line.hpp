// skysep's command line: its usage text, its own options, and the
// settings that they and the common options read into.  Uses
// common/options.hpp for the walk over the arguments.
#ifndef SKYSEP_COMMAND_LINE_HPP
#define SKYSEP_COMMAND_LINE_HPP

#include <cstring>

#include "angles.hpp"
#include "coordinates.hpp"
#include "messages.hpp"
#include "options.hpp"

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
	"\t%s [option...] ra1 dec1 ra2 dec2 | -  with an option or -, also 02:31:49.09 and -16d42m58s\n"
	"Options, before the operands:\n"
	"\t--from=RA,DEC   the separation of each position \"ra dec\" from RA,DEC\n"
	"\t--degrees       right ascensions without h, m, s or colons are in degrees\n"
	"\t--decimals=N    N decimals, 0 to 9, in place of 6\n"
	"\t--bare          only the separation in degrees\n"
	"\t--columns=LIST  with -: the fields of ra1,dec1,ra2,dec2 (ra,dec), numbers or header names\n"
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks\n";

// The fields of a question, and of a question with --from.
inline const char *const PAIR[] = {"ra1", "dec1", "ra2", "dec2"};
inline const char *const ONE[] = {"ra", "dec"};

// skysep's own options.
enum SkysepOption { OPT_FROM };
constexpr Option SKYSEP_OPTIONS[] = {{"from", "RA,DEC"}};

// What a question is answered with.
struct Skysep {
	Reading reading;
	int decimals;        // of the decimal separation
	bool bare;           // the separation alone
	bool from;           // --from: each position measured from origin
	Vec origin;
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
	}
	return true;
}

// Reads skysep's command line into o, s and columns.  Returns false after
// a message if it is not one that skysep takes, or if --from's position
// cannot be read.
inline bool read_skysep_command_line(const char *prog, int argc, char *argv[], CommandLine &o, Skysep &s,
                                     Columns &columns)
{
	s = Skysep{};
	if (!read_options(prog, argc, argv, SKYSEP_USAGE, 4,
	                  OwnOptions<Skysep>{SKYSEP_OPTIONS, 1, take_skysep_option}, s, o))
		return false;
	if (o.help || o.version)
		return true;
	const char *const *names = s.from ? ONE : PAIR;
	if (!check_operands(prog, SKYSEP_USAGE, o, names, s.from ? 2 : 4, s.from ? "from" : nullptr, columns))
		return false;
	s.reading = {o.plain ? Reading::MARKS : Reading::CATALOGUE, false, o.degrees};
	s.decimals = o.decimals < 0 ? 6 : o.decimals;
	s.bare = o.bare;
	if (s.from) {
		double ra, dec;
		Refusal refusal;
		if (!get_position(s.from_ra, s.from_dec, s.reading, &ra, &dec, refusal)) {
			report_refusal(prog, 0, refusal, true);
			return false;
		}
		s.origin = unit_vector(ra, dec);
	}
	return true;
}

#endif
