// precession's command line: its usage text, its own options, and the
// settings that they and the common options read into.  Uses
// common/options.hpp for the walk over the arguments.
#ifndef PRECESSION_COMMAND_LINE_HPP
#define PRECESSION_COMMAND_LINE_HPP

#include <cstdio>
#include <cstring>
#include <iterator>

#include "coordinates.hpp"
#include "epochs.hpp"
#include "messages.hpp"
#include "models.hpp"
#include "options.hpp"
#include "transform.hpp"

// The usage text, formatted with the invocation name.
inline const char PRECESSION_USAGE[] =
	"Usage:  %s right_ascension declination year\n"
	"\tright_ascension and declination are in decimal hours and degrees, respectively\n";
// The rest of --help, after the usage text, formatted with the invocation
// name three times: the other forms and the options.
inline const char PRECESSION_HELP[] =
	"\t%s -  answers each line \"right_ascension declination year\" of standard input\n"
	"\t%s --version  prints the version\n"
	"\t%s [option...] right_ascension declination year | - [option...]  with an option or -, also\n"
	"\t\t6h45m8.9s -16o42'58, 06:45:08.9 -16:42:58 and -16d42m58s, and no text read in part\n"
	"Options, before the operands, or after -:\n"
	"\t--year=EPOCH    the epoch to which every position is taken: the date of the answer\n"
	"\t--from=SYSTEM   the system of the positions given: an EPOCH, J2000 unless said, ICRS or galactic\n"
	"\t--to=SYSTEM     the system of the answer: mean (the default), true or apparent at the year,\n"
	"\t\t        ecliptic of the year, an EPOCH, ICRS or galactic\n"
	"\t--epoch=EPOCH   the epoch of the positions of moving stars, the --from epoch unless said;\n"
	"\t\t        an EPOCH is Julian (2026.94, J2026.94), a date of UTC (2026-12-09T22:00),\n"
	"\t\t        a Julian Date of TT (JD2461384.4167), or B1950 for FK4\n"
	"\t--model=NAME    iau2006, the default, from 1000 to 3000; long-term, from -198000 to 202000;\n"
	"\t\t        or uniform, the first release's rotation, for whole years\n"
	"\t--proper-motion each question \"right_ascension declination pmra pmdec year\", mas a year\n"
	"\t--space-motion  \"right_ascension declination pmra pmdec parallax radial_velocity year\",\n"
	"\t\t        parallax in mas, radial velocity in km/s\n"
	"\t--sexagesimal   positions in colon notation, 12:29:06.699 +02:03:08.16\n"
	"\t--hours         right ascensions written as a number alone are in hours\n"
	"\t--degrees       right ascensions written as a number alone are in degrees, and printed so;\n"
	"\t\t        with -, one of the two is needed for them\n"
	"\t--decimals=N    N decimals, 0 to 9, in place of 3\n"
	"\t--bare          only the right ascension and the declination\n"
	"\t--columns=LIST  with -: the fields of a question, numbers or header names:\n"
	"\t\t        right_ascension,declination[,pmra,pmdec[,parallax,radial_velocity]][,year],\n"
	"\t\t        or with --from=galactic l,b[,year]\n"
	"\t--bytes=LIST    with -: the same fields as ranges of bytes, 1-2+3-4+5-9,11+12-13+14-15+16-19\n"
	"\t--delimiter=C   with -: fields separated by each byte C, CSV-style, not by blanks,\n"
	"\t\t        and with --bare the figures written so\n"
	"An answer is referred to the mean equator and equinox of its year unless --to says otherwise;\n"
	"--to=apparent applies the aberration, the deflection of light and the frame bias, no other.\n";

// The fields of a question: with neither motion option, with
// --proper-motion, and with --space-motion, by Motion; the year last, left
// out with --year.
struct Question {
	const char *const *names;
	int count;
};
inline const char *const STILL_FIELDS[] = {"right_ascension", "declination", "year"};
inline const char *const PROPER_MOTION_FIELDS[] = {"right_ascension", "declination", "pmra", "pmdec", "year"};
inline const char *const SPACE_MOTION_FIELDS[] = {"right_ascension", "declination", "pmra",           "pmdec",
                                                  "parallax",        "radial_velocity", "year"};
inline const Question QUESTIONS[] = {{STILL_FIELDS, 3}, {PROPER_MOTION_FIELDS, 5}, {SPACE_MOTION_FIELDS, 7}};
// The fields of a question in galactic coordinates, which do not move.
inline const char *const GALACTIC_FIELDS[] = {"l", "b", "year"};
inline const Question GALACTIC_QUESTION = {GALACTIC_FIELDS, 3};
// The field of a question at which its motion begins: pmra.
constexpr int MOTION_FIELD = 2;

// precession's own options.
enum PrecessionOption {
	OPT_YEAR, OPT_MODEL, OPT_FROM, OPT_SEXAGESIMAL, OPT_PROPER_MOTION, OPT_SPACE_MOTION, OPT_EPOCH, OPT_TO
};
constexpr Option PRECESSION_OPTIONS[] = {
	{"year", "EPOCH"},          {"model", "NAME"},         {"from", "SYSTEM"}, {"sexagesimal", nullptr},
	{"proper-motion", nullptr}, {"space-motion", nullptr}, {"epoch", "EPOCH"}, {"to", "SYSTEM"}};

// The systems that --from and --to name in words, and what each needs:
// every one but mean, the default, the IAU 2006 model.
struct SystemName {
	const char *name;
	System system;
	bool from; // --from takes it too
};
inline const SystemName SYSTEM_NAMES[] = {
	{"ICRS", ICRS, true},        {"galactic", GALACTIC, true}, {"mean", MEAN, false},
	{"true", TRUE_EQUATOR, false}, {"apparent", APPARENT, false}, {"ecliptic", ECLIPTIC, false},
};

// precession's own options as given, until they are checked together.
struct GivenOptions {
	ModelName model;
	const char *model_text; // --model's text, or null
	const char *year_text;  // --year's text, read for the model after every option
	const char *from_text;  // --from's text, or null
	Frame from;             // its system, J2000's equinox without it
	const char *to_text;    // --to's text, or null
	Frame to;               // its system, the mean equator of the year without it
	const char *epoch_text; // --epoch's text, or null
	Epoch epoch;            // its epoch
	bool sexagesimal, proper_motion, space_motion;
};

// What a question is answered with, and the matrix kept from the last.
struct Precession {
	Reading reading;
	int decimals;        // of each figure, or of the seconds of time
	bool bare;           // the figures alone
	bool sexagesimal;    // positions in colon notation
	char between;        // the byte between the figures with --bare: --delimiter's, or a blank
	char header[64];     // the line for a header: the output's column names with --bare
	bool year;           // --year: every position to one epoch
	Epoch to;            // that epoch
	char b1950[64];      // why the year B1950 is refused with the systems and motion of the run, if it is
	Transform transform; // the model, the systems and their epochs, and the motion
	DateMatrix last;     // the matrix of the last date: the only state a question changes
};

// Takes the value of --from (from) or --to into frame and text: a system
// in words, or an epoch's equinox.  Returns false after a message for any
// other: for --from, as for an epoch.
inline bool take_system(const char *prog, bool from, char *value, Frame &frame, const char *&text)
{
	text = value;
	for (const SystemName &n : SYSTEM_NAMES) {
		if (std::strcmp(value, n.name) == 0 && (n.from || !from)) {
			frame.system = n.system;
			return true;
		}
	}
	const char *reason;
	frame.system = EQUINOX;
	if (read_epoch(value, &frame.epoch, &reason))
		return true;
	if (reason != nullptr || from) {
		report_refusal(prog, COMMAND_LINE, Refusal{"epoch", value, reason}, true);
		return false;
	}
	return misuse(prog, PRECESSION_USAGE,
	              "option --to: \"%s\" is not an epoch, ICRS, galactic, mean, true, apparent or ecliptic",
	              escaped(value));
}

// Takes precession's option k with its value into given.  The epochs of
// --from and --epoch are read now, and checked for the model after every
// option.
inline bool take_precession_option(const char *prog, GivenOptions &given, int k, char *value)
{
	const char *reason;
	switch (k) {
	case OPT_YEAR:
		given.year_text = value;
		break;
	case OPT_MODEL:
		for (int m = 0; m < MODEL_COUNT; m++) {
			if (std::strcmp(value, MODELS[m].name) == 0) {
				given.model = static_cast<ModelName>(m);
				given.model_text = value;
				return true;
			}
		}
		return misuse(prog, PRECESSION_USAGE, "option --model: \"%s\" is not %s, %s or %s", escaped(value),
		              MODELS[UNIFORM].name, MODELS[IAU2006].name, MODELS[LONG_TERM].name);
	case OPT_FROM:
	case OPT_TO:
		return take_system(prog, k == OPT_FROM, value, k == OPT_FROM ? given.from : given.to,
		                   k == OPT_FROM ? given.from_text : given.to_text);
	case OPT_EPOCH:
		if (!read_epoch(value, &given.epoch, &reason)) {
			report_refusal(prog, COMMAND_LINE, Refusal{"epoch", value, reason}, true);
			return false;
		}
		given.epoch_text = value;
		break;
	case OPT_SEXAGESIMAL:
		given.sexagesimal = true;
		break;
	case OPT_PROPER_MOTION:
		given.proper_motion = true;
		break;
	case OPT_SPACE_MOTION:
		given.space_motion = true;
		break;
	}
	return true;
}

// The target epoch's text to *to for the transform t's model, or the
// refusal: one that names a year, or B1950 (p.b1950) where it is refused.
inline bool get_target(const Precession &p, const char *text, Epoch *to, Refusal &refusal)
{
	if (!get_epoch(text, p.transform.model, "year", to, refusal))
		return false;
	if (to->besselian && p.b1950[0] != '\0')
		return refuse(refusal, "epoch", text, p.b1950);
	return true;
}

// Whether a system is one of those the IAU 2006 model brings: ICRS,
// galactic, the true equator, the apparent place and the ecliptic.
inline bool needs_iau2006(System s) { return s != EQUINOX && s != MEAN; }

// Checks that the options given go together, after a message and the
// usage text if they do not, and says how the stars move in *motion.
inline bool check_together(const char *prog, const CommandLine &o, const GivenOptions &given, Motion *motion)
{
	bool moving = given.proper_motion || given.space_motion;
	const char *motion_option = given.proper_motion ? "--proper-motion" : "--space-motion";
	System from = given.from.system, to = given.to.system;
	if (given.proper_motion && given.space_motion)
		return misuse(prog, PRECESSION_USAGE, "--proper-motion and --space-motion together");
	if (given.epoch_text != nullptr && !moving)
		return misuse(prog, PRECESSION_USAGE, "--epoch needs --proper-motion or --space-motion");
	if (given.model != IAU2006 && (needs_iau2006(from) || needs_iau2006(to)))
		return misuse(prog, PRECESSION_USAGE, "--%s=%s needs --model=iau2006", needs_iau2006(from) ? "from" : "to",
		              needs_iau2006(from) ? given.from_text : given.to_text);
	if (moving && ((from == EQUINOX && given.from.epoch.besselian) || given.epoch.besselian ||
	               (to == EQUINOX && given.to.epoch.besselian)))
		return misuse(prog, PRECESSION_USAGE, "proper motion with B1950 is not read");
	if (moving && from == GALACTIC)
		return misuse(prog, PRECESSION_USAGE, "%s and --from=galactic together", motion_option);
	if (o.hours && from == GALACTIC)
		return misuse(prog, PRECESSION_USAGE, "--hours and --from=galactic together");
	if (given.sexagesimal && (to == GALACTIC || to == ECLIPTIC))
		return misuse(prog, PRECESSION_USAGE, "--sexagesimal and --to=%s together", given.to_text);
	*motion = given.proper_motion ? BY_PROPER_MOTION : given.space_motion ? IN_SPACE : NO_MOTION;
	return true;
}

// Sets p's figures, their separator and their header line, and why the
// year B1950 is refused, for the options given.
inline void set_answers(Precession &p, const CommandLine &o, const GivenOptions &given, Motion motion)
{
	p.reading = {o.plain ? Reading::LEADING : Reading::CATALOGUE, o.degrees, o.catalogue && !o.hours && !o.degrees};
	p.decimals = o.decimals < 0 ? 3 : o.decimals;
	p.bare = o.bare;
	p.sexagesimal = given.sexagesimal;
	p.between = o.delimiter != '\0' ? o.delimiter : ' ';
	System to = given.to.system;
	const char *names = to == GALACTIC ? "l%cb" : to == ECLIPTIC ? "lon%clat" : "right_ascension%cdeclination";
	if (p.bare)
		std::snprintf(p.header, sizeof p.header, names, p.between);
	// A year of B1950 is the FK4 system of the mean equator, no date.
	if (motion != NO_MOTION)
		std::snprintf(p.b1950, sizeof p.b1950, "names the FK4 system: no date of motion");
	else if (to != MEAN)
		std::snprintf(p.b1950, sizeof p.b1950, "names the FK4 system: no date for --to=%s", given.to_text);
}

// Reads precession's command line into o, p and cutting: the settings of
// the run, and its transform, made once every option is read.  Returns
// false after a message if it is not one that precession takes, or if
// --from's or --year's epoch cannot be read for the model.
inline bool read_precession_command_line(const char *prog, int argc, char *argv[], CommandLine &o, Precession &p,
                                         Cutting &cutting)
{
	p = Precession{};
	GivenOptions given = {};
	given.from = J2000_EQUINOX;
	given.to = MEAN_OF_YEAR;
	given.model = IAU2006;
	if (!read_options(prog, argc, argv, PRECESSION_USAGE, 3,
	                  OwnOptions<GivenOptions>{PRECESSION_OPTIONS, std::size(PRECESSION_OPTIONS),
	                                           take_precession_option},
	                  given, o))
		return false;
	if (o.help || o.version)
		return true;
	if (o.plain)
		given.model = UNIFORM; // the first release's
	Motion motion = NO_MOTION;
	if (!check_together(prog, o, given, &motion))
		return false;
	const Question &question = given.from.system == GALACTIC ? GALACTIC_QUESTION : QUESTIONS[motion];
	p.year = given.year_text != nullptr;
	if (!check_operands(prog, PRECESSION_USAGE, o, question.names, question.count - p.year,
	                    p.year ? "year" : nullptr, cutting))
		return false;
	set_answers(p, o, given, motion);
	Refusal refusal;
	bool from_equinox = given.from.system == EQUINOX;
	if ((given.from_text != nullptr && from_equinox &&
	     !check_epoch(given.from_text, given.from.epoch, given.model, "epoch", refusal)) ||
	    (given.to.system == EQUINOX && !check_epoch(given.to_text, given.to.epoch, given.model, "epoch", refusal)) ||
	    (given.epoch_text != nullptr && !check_motion_epoch(given.epoch_text, given.epoch, given.model, refusal))) {
		report_refusal(prog, COMMAND_LINE, refusal, true);
		return false;
	}
	double epoch = given.epoch_text != nullptr ? given.epoch.julian : from_equinox ? given.from.epoch.julian : 2000;
	p.transform = make_transform(given.model, given.from, given.from_text != nullptr && from_equinox, given.to,
	                             motion, epoch);
	if (p.year && !get_target(p, given.year_text, &p.to, refusal)) {
		report_refusal(prog, COMMAND_LINE, refusal, true);
		return false;
	}
	return true;
}

#endif
