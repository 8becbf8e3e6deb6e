// The input of fuzz_skysep and fuzz_precession, and of the seeds that the
// test programs write from their tables: one byte that chooses the block
// size of the line reader, then the options, each ended by a newline, up
// to a NUL byte, then standard input.  An input without a NUL is options
// alone.  The argument vector is the program's name, the options, and the
// operand "-", so every input runs catalogue mode.
#ifndef FUZZ_CATALOGUE_INPUT_HPP
#define FUZZ_CATALOGUE_INPUT_HPP

#include <fcntl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "catalogue.hpp"
#include "line_reader.hpp"
#include "options.hpp"
#include "output.hpp"

// The block sizes that the first byte chooses from, by its value modulo 5.
constexpr size_t FUZZ_BLOCKS[] = {1, 2, 7, 4096, BLOCK_MAX};
// The most options an input gives; any after them are dropped.
constexpr int FUZZ_OPTIONS_MAX = 16;

// An input, decoded: the block size, the argument vector, and standard
// input.  The option texts are copied into text, so that the programs may
// write into them as they may into their own arguments.
struct CatalogueInput {
	size_t block;
	int argc;
	char *argv[FUZZ_OPTIONS_MAX + 3];
	char text[4096];
	const char *in;
	size_t in_size;
};

// Decodes data, of size bytes, into c for the program prog; false if the
// input is empty or its options do not fit.
inline bool decode(const uint8_t *data, size_t size, const char *prog, CatalogueInput &c)
{
	if (size == 0)
		return false;
	c.block = FUZZ_BLOCKS[data[0] % 5];
	const char *options = reinterpret_cast<const char *>(data + 1);
	size_t n = size - 1;
	const char *nul = static_cast<const char *>(std::memchr(options, '\0', n));
	size_t length = nul != nullptr ? static_cast<size_t>(nul - options) : n;
	if (length + 1 > sizeof c.text)
		return false;
	std::memcpy(c.text, options, length);
	c.text[length] = '\0';
	c.in = nul != nullptr ? nul + 1 : options + n;
	c.in_size = nul != nullptr ? n - length - 1 : 0;
	c.argc = 0;
	c.argv[c.argc++] = const_cast<char *>(prog);
	for (char *p = c.text; *p != '\0' && c.argc <= FUZZ_OPTIONS_MAX;) {
		c.argv[c.argc++] = p;
		p += std::strcspn(p, "\n");
		if (*p == '\n')
			*p++ = '\0';
	}
	c.argv[c.argc++] = const_cast<char *>("-");
	c.argv[c.argc] = nullptr;
	return true;
}

// Standard input, from memory.
struct MemoryInput {
	const char *bytes;
	size_t size, at;
};

// ReadBytes from a MemoryInput.
inline ssize_t read_memory(void *source, char *buf, size_t n)
{
	MemoryInput &m = *static_cast<MemoryInput *>(source);
	if (n > m.size - m.at)
		n = m.size - m.at;
	std::memcpy(buf, m.bytes + m.at, n);
	m.at += n;
	return static_cast<ssize_t>(n);
}

// Runs catalogue mode of a program on the input data, of size bytes, as
// its main would: its command line read by read_command_line into its
// settings S, then answer_lines with answer and S's header line on the
// input in memory, with the output to /dev/null.
template <typename S>
inline void fuzz_catalogue(const uint8_t *data, size_t size, const char *prog,
                           bool (*read_command_line)(const char *, int, char **, CommandLine &, S &, Cutting &),
                           bool (*answer)(char *const fields[], S &settings, Line &line, Refusal &refusal))
{
	static CatalogueInput c;
	static LineReader in;
	static Output out;
	static int null_fd = open("/dev/null", O_WRONLY);
	if (!decode(data, size, prog, c))
		return;
	CommandLine o;
	S settings;
	Cutting cutting;
	if (!read_command_line(prog, c.argc, c.argv, o, settings, cutting) || o.help || o.version ||
	    !o.catalogue)
		return;
	MemoryInput m{c.in, c.in_size, 0};
	line_reader(in, read_memory, &m, c.block);
	output_to(out, null_fd);
	answer_lines(prog, cutting, settings.header, answer, settings, in, out);
}

#endif
