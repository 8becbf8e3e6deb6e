// The input of fuzz_skysep and fuzz_precession, and of the seeds that the
// test programs write from their tables: one byte that chooses the block
// size of the line reader, then the options, each ended by a newline, up
// to a NUL byte, then standard input.  An input without a NUL is options
// alone.  The argument vector is the program's name, the options, and the
// operand "-", so every input runs catalogue mode.  A fuzz target may take
// a part of standard input for a file of its own (fuzz_skysep.cpp).
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

// A run of catalogue mode from a fuzz input: the input decoded, the
// command line read, and standard input, in memory.
template <typename S>
struct FuzzRun {
	CatalogueInput c;
	CommandLine o;
	S settings;
	Cutting cutting;
	MemoryInput in;
};

// Decodes the input data, of size bytes, into f for the program prog, and
// reads its command line by read_command_line into f's settings: false if
// the input is no catalogue run.
template <typename S>
inline bool fuzz_command_line(const uint8_t *data, size_t size, const char *prog,
                              bool (*read_command_line)(const char *, int, char **, CommandLine &, S &, Cutting &),
                              FuzzRun<S> &f)
{
	if (!decode(data, size, prog, f.c) ||
	    !read_command_line(prog, f.c.argc, f.c.argv, f.o, f.settings, f.cutting) || f.o.help || f.o.version ||
	    !f.o.catalogue)
		return false;
	f.in = MemoryInput{f.c.in, f.c.in_size, 0};
	return true;
}

// Answers f's standard input by answer_lines with answer and the header
// line of f's settings, the output to /dev/null.
template <typename S>
inline void fuzz_answers(const char *prog, FuzzRun<S> &f,
                         bool (*answer)(char *const fields[], S &settings, Line &line, Refusal &refusal))
{
	static LineReader in;
	static Output out;
	static int null_fd = open("/dev/null", O_WRONLY);
	line_reader(in, read_memory, &f.in, f.c.block);
	output_to(out, null_fd);
	answer_lines(prog, f.cutting, f.settings.header, answer, f.settings, in, out);
}

// Runs catalogue mode of a program on the input data, of size bytes, as
// its main would: its command line read by read_command_line into its
// settings S, then answer_lines with answer.
template <typename S>
inline void fuzz_catalogue(const uint8_t *data, size_t size, const char *prog,
                           bool (*read_command_line)(const char *, int, char **, CommandLine &, S &, Cutting &),
                           bool (*answer)(char *const fields[], S &settings, Line &line, Refusal &refusal))
{
	static FuzzRun<S> f;
	if (fuzz_command_line(data, size, prog, read_command_line, f))
		fuzz_answers(prog, f, answer);
}

#endif
