// libFuzzer target: skysep's catalogue mode from any bytes (see
// catalogue_input.hpp): the options, the line reader, the splitting and
// CSV decoding, the catalogue reading, the answers, the messages and their
// escaping.  Messages go to standard error, which -close_fd_mask=2
// silences.
#include "answer.hpp"
#include "catalogue_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	fuzz_catalogue(data, size, "skysep", read_skysep_command_line, skysep_answer);
	return 0;
}
