// precession: move an equatorial position from the equinox of one epoch
// to that of another.
//
// usage: precession right_ascension declination year
//        precession -   (lines of right_ascension declination year on standard input)
//        precession [option...] right_ascension declination year | -
//
// Without options, the arguments are read as atof and atoi read them; in
// catalogue mode and with options, as the sexagesimal notations of
// coordinates.hpp or as numbers read in whole, and the year as an epoch
// (epochs.hpp); a text that is neither is refused.  The default model,
// uniform, is the rigid rotation of uniform.hpp; --model=iau2006 and
// --model=long-term rotate by the matrices of iau2006.hpp and
// long_term.hpp (models.hpp), through FK4 for B1950 (fk4.hpp), after the
// star's own motion (space_motion.hpp) and before the nutation
// (nutation.hpp), as transform.hpp puts them together.  The options are
// read in command_line.hpp, a question answered in answer.hpp, and with
// the operand "-", each line of standard input in turn (catalogue.hpp).
#include "answer.hpp"
#include "catalogue.hpp"
#include "command_line.hpp"
#include "output.hpp"

int main(int argc, char *argv[])
{
	const char *prog = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "precession";
	CommandLine o;
	Precession p;
	Cutting cutting;
	if (!read_precession_command_line(prog, argc, argv, o, p, cutting))
		return 1;
	if (o.help)
		return write_help(prog, PRECESSION_USAGE, PRECESSION_HELP);
	if (o.version)
		return write_version(prog, "precession");
	if (o.catalogue)
		return answer_stdin(prog, cutting, p.header, precession_answer, p);
	char room[LINE_ROOM];
	Line line = {room, 0};
	Refusal refusal;
	if (!precession_answer(o.operands, p, line, refusal)) {
		report_refusal(prog, COMMAND_LINE, refusal, !o.plain);
		return 1;
	}
	return write_line(prog, line);
}
