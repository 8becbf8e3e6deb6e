// libFuzzer target: precession's catalogue mode from any bytes (see
// catalogue_input.hpp): the options, the model among them, the line
// reader, the splitting and CSV decoding, the catalogue reading, the
// answers in each model, the messages and their escaping.  Messages go to
// standard error, which -close_fd_mask=2 silences.
#include "answer.hpp"
#include "catalogue_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	fuzz_catalogue(data, size, "precession", read_precession_command_line, precession_answer);
	return 0;
}
