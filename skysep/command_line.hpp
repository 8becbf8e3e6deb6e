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
#include "decimal.hpp"
#include "match_index.hpp"
#include "messages.hpp"
#include "options.hpp"
#include "position_angle.hpp"
#include "reference.hpp"

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
	"\t\t        and with --bare the numbers written so\n"
	"\t--match=FILE    with -: the line number in FILE of the position \"ra dec\" nearest\n"
	"\t\t        each line's, within --radius, and their separation\n"
	"\t--radius=R      the largest separation of a match, in --unit, 0 to 180 degrees\n"
	"\t--match-columns=LIST  the fields of ra,dec in FILE, as --columns, 1,2 unless given\n"
	"\t--match-bytes=LIST    the same fields of FILE as ranges of bytes, as --bytes\n";

// The fields of a question, and of a question with --from.
inline const char *const PAIR[] = {"ra1", "dec1", "ra2", "dec2"};
inline const char *const ONE[] = {"ra", "dec"};

// skysep's own options.
enum SkysepOption { OPT_FROM, OPT_UNIT, OPT_POSITION_ANGLE, OPT_MATCH, OPT_RADIUS, OPT_MATCH_COLUMNS, OPT_MATCH_BYTES };
constexpr Option SKYSEP_OPTIONS[] = {{"from", "RA,DEC"},      {"unit", "UNIT"},
                                     {"position-angle", nullptr}, {"match", "FILE"},
                                     {"radius", "R"},            {"match-columns", "LIST"},
                                     {"match-bytes", "LIST"}};

// The units of the decimal separation: the name for --unit, the words of
// the result line between the number and its degrees, minutes and
// seconds, in 16 bytes for put16(), the unit's name in them before " = ",
// and the factor that, times the angle in radians and divided by pi,
// gives it: 180 degrees in the unit.
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
	const char *match;   // --match's FILE, or null
	char *radius_text;   // --radius's text, until it is read
	double radius;       // the farthest match, radians: --radius with SEPARATION_ROUNDING
	char *match_columns, *match_bytes; // --match-columns's and --match-bytes's lists, or null
	Cutting match_cutting;             // FILE's columns and delimiter
	Reference reference; // FILE's rows, once read (match_file.hpp)
	MatchIndex index;    // over them
};

// What a separation of two positions, radians, may be rounded by, of
// their vectors and of the formula (2e-10 seconds of arc): --radius's
// separation is held within it, so that a pair written as exactly that
// far apart is within the radius.
constexpr double SEPARATION_ROUNDING = 1e-15;

// The separation theta, radians, in unit u: in degrees, rad_to_deg()'s
// expression.
inline double in_unit(const Unit &u, double theta) { return u.per_pi * theta / PI; }

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
	case OPT_MATCH:
		s.match = value;
		break;
	case OPT_RADIUS:
		s.radius_text = value;
		break;
	case OPT_MATCH_COLUMNS:
		s.match_columns = value;
		break;
	case OPT_MATCH_BYTES:
		s.match_bytes = value;
		break;
	}
	return true;
}

// Checks the options of a match in s, and reads --radius, in s's unit,
// and the columns of FILE into s.  Returns false after a message and the
// usage text if they are not options that a run takes together.
inline bool read_match_options(const char *prog, const CommandLine &o, Skysep &s)
{
	if (s.match == nullptr) {
		const char *alone = s.radius_text != nullptr     ? "radius"
		                    : s.match_columns != nullptr ? "match-columns"
		                    : s.match_bytes != nullptr   ? "match-bytes"
		                                                 : nullptr;
		return alone == nullptr || misuse(prog, SKYSEP_USAGE, "--%s needs --match", alone);
	}
	if (s.radius_text == nullptr)
		return misuse(prog, SKYSEP_USAGE, "--match needs --radius");
	if (s.from)
		return misuse(prog, SKYSEP_USAGE, "--match and --from together");
	if (!o.catalogue)
		return misuse(prog, SKYSEP_USAGE, "option --match reads catalogue mode's lines: give the operand -");
	if (s.match_bytes != nullptr && (s.match_columns != nullptr || o.delimiter != '\0'))
		return misuse(prog, SKYSEP_USAGE, "--match-bytes and --%s together",
		              s.match_columns != nullptr ? "match-columns" : "delimiter");
	double r;
	if (!read_number(s.radius_text, &r) || !(r >= 0 && r <= s.unit->per_pi))
		return misuse(prog, SKYSEP_USAGE, "option --radius: \"%s\" is not a number of %s from 0 to %g",
		              escaped(s.radius_text), s.unit->name, s.unit->per_pi);
	s.radius = PI * r / s.unit->per_pi + SEPARATION_ROUNDING;
	Cutting &c = s.match_cutting;
	c.delimiter = o.delimiter;
	c.columns = first_columns(2);
	if (s.match_columns != nullptr && !choose_columns(s.match_columns, 2, c.columns))
		return misuse(prog, SKYSEP_USAGE,
		              "option --match-columns: \"%s\" is not 2 field numbers (1 to %d) or column names, ra,dec",
		              escaped(s.match_columns), FIELD_NUMBER_MAX);
	if (s.match_bytes != nullptr && !choose_bytes(s.match_bytes, 2, c.columns))
		return misuse(prog, SKYSEP_USAGE,
		              "option --match-bytes: \"%s\" is not 2 ranges of bytes (N or N-M, 1 to %zu), ra,dec",
		              escaped(s.match_bytes), LINE_MAX_BYTES);
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
	if (s.unit == nullptr)
		s.unit = &UNITS[0];
	if (!read_match_options(prog, o, s))
		return false;
	bool one = s.from || s.match != nullptr; // the fields of one position
	if (!check_operands(prog, SKYSEP_USAGE, o, one ? ONE : PAIR, one ? 2 : 4, s.from ? "from" : nullptr, cutting))
		return false;
	s.reading = {o.plain ? Reading::MARKS : Reading::CATALOGUE, o.degrees, o.catalogue && !o.hours && !o.degrees};
	s.first_release = o.plain;
	s.decimals = o.decimals < 0 ? 6 : o.decimals;
	s.bare = o.bare;
	s.between = o.delimiter != '\0' ? o.delimiter : ' ';
	if (s.bare) { // [match,]separation[,position_angle]
		int n = s.match != nullptr ? std::snprintf(s.header, sizeof s.header, "match%c", s.between) : 0;
		n += std::snprintf(s.header + n, sizeof s.header - n, "separation");
		if (s.position_angle)
			std::snprintf(s.header + n, sizeof s.header - n, "%cposition_angle", s.between);
	}
	if (s.from) {
		double ra, dec;
		Refusal refusal;
		if (!get_position(s.from_ra, s.from_dec, s.reading, &ra, &dec, refusal)) {
			report_refusal(prog, COMMAND_LINE, refusal, true);
			return false;
		}
		s.origin = position(ra, dec);
	}
	return true;
}

#endif
