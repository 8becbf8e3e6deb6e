// skysep: the angular separation between two sky positions.
//
// usage: skysep ra1 dec1 ra2 dec2
//        skysep -            (lines of ra1 dec1 ra2 dec2 on standard input)
//        skysep [option...] ra1 dec1 ra2 dec2 | -
//
// A right ascension is written in hours, minutes and seconds (12h30m36s),
// a declination in degrees, minutes and seconds with an optional sign
// (-16o42'58), every component optionally decimal; catalogue mode and the
// options also take colons (02:31:49.09 +89:15:50.8) and d and m marks
// (-16d42m58s) (coordinates.hpp).  The separation is printed in decimal
// degrees and in whole degrees, minutes and seconds of arc.  An invalid
// argument ends the run with a message and status 1.  With the operand
// "-", each line of standard input is answered in turn (runs.hpp).
#include "skysep_answer.hpp"

int main(int argc, char *argv[])
{
	const char *prog = invocation_name(argc, argv, "skysep");
	Options o;
	if (!read_options(prog, argc, argv, SKYSEP, o))
		return 1;
	if (o.help)
		return help(prog, SKYSEP_USAGE, SKYSEP_HELP);
	if (o.version)
		return version(prog, "skysep");
	Vec from;
	if (!fix_from(prog, o, from))
		return 1;
	if (o.catalogue)
		return answer_stdin(prog, o, skysep_answer);
	return answer_once(prog, o, skysep_answer);
}
