// libFuzzer target: skysep's catalogue mode from any bytes (see
// catalogue_input.hpp): the options, the line reader, the splitting and
// CSV decoding, the catalogue reading, the answers, the messages and their
// escaping.  Messages go to standard error, which -close_fd_mask=2
// silences.
#include "catalogue_input.hpp"
#include "skysep_answer.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	fuzz_catalogue(data, size, "skysep", SKYSEP, skysep_answer, [](Options &o) {
		static Vec from;
		return fix_from("skysep", o, from);
	});
	return 0;
}
