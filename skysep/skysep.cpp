// skysep: the angular separation between two sky positions.
//
// usage: skysep ra1 dec1 ra2 dec2
//        skysep -            (lines of ra1 dec1 ra2 dec2 on standard input)
//        skysep [option...] ra1 dec1 ra2 dec2 | -
//
// A right ascension is written in hours, minutes and seconds (12h30m36s),
// a declination in degrees, minutes and seconds with an optional sign
// (-16o42'58), every component optionally decimal; catalogue mode and the
// options take more notations (coordinates.hpp).  The separation is
// printed in decimal degrees and in whole degrees, minutes and seconds of
// arc, with the position angle if asked (first_release.hpp, angles.hpp,
// position_angle.hpp, answer.hpp).  An invalid argument ends the run with
// a message and status 1.  The options are read in command_line.hpp, and
// with the operand "-", each line of standard input is answered in turn
// (catalogue.hpp); with --match, by the nearest position of FILE, read
// first (match_file.hpp, match_index.hpp).
#include "answer.hpp"
#include "catalogue.hpp"
#include "command_line.hpp"
#include "match_file.hpp"
#include "output.hpp"

int main(int argc, char *argv[])
{
	const char *prog = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "skysep";
	CommandLine o;
	Skysep s;
	Cutting cutting;
	if (!read_skysep_command_line(prog, argc, argv, o, s, cutting))
		return 1;
	if (o.help)
		return write_help(prog, SKYSEP_USAGE, SKYSEP_HELP);
	if (o.version)
		return write_version(prog, "skysep");
	if (o.catalogue && s.match != nullptr) {
		int read = read_match_file(prog, s.match, s.match_cutting, s.reading, s.reference, s.index);
		if (read < 0)
			return 1;
		return answer_stdin(prog, cutting, s.header, skysep_match_answer, s) | read;
	}
	if (o.catalogue)
		return answer_stdin(prog, cutting, s.header, skysep_answer, s);
	char room[LINE_ROOM];
	Line line = {room, 0};
	Refusal refusal;
	if (!skysep_answer(o.operands, s, line, refusal)) {
		report_refusal(prog, COMMAND_LINE, refusal, !o.plain);
		return 1;
	}
	return write_line(prog, line);
}
