// libFuzzer target: skysep's catalogue mode from any bytes (see
// catalogue_input.hpp): the options, the line reader, the splitting and
// CSV decoding, the catalogue reading, the answers, the messages and their
// escaping; with --match, FILE is the part of standard input before its
// first NUL byte, read and indexed, and standard input the rest.  Messages
// go to standard error, which -close_fd_mask=2 silences.
#include "answer.hpp"
#include "catalogue_input.hpp"
#include "match_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	static FuzzRun<Skysep> f;
	if (!fuzz_command_line(data, size, "skysep", read_skysep_command_line, f))
		return 0;
	Skysep &s = f.settings;
	if (s.match == nullptr) {
		fuzz_answers("skysep", f, skysep_answer);
		return 0;
	}
	const char *nul = static_cast<const char *>(std::memchr(f.in.bytes, '\0', f.in.size));
	size_t file_size = nul != nullptr ? static_cast<size_t>(nul - f.in.bytes) : f.in.size;
	MemoryInput file = {f.in.bytes, file_size, 0};
	f.in.at = nul != nullptr ? file_size + 1 : file_size;
	static LineReader reader;
	line_reader(reader, read_memory, &file, f.c.block);
	if (read_reference("skysep", s.match, reader, s.match_cutting, s.reading, s.reference, s.index) >= 0) {
		fuzz_answers("skysep", f, skysep_match_answer);
		release_match_index(s.index);
	}
	release_reference(s.reference);
	return 0;
}
