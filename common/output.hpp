// What both programs write on standard output: the result line of a
// question, built in place without the heap or formatted output; the
// buffer through which catalogue mode writes its lines; and the single
// run's line, --help and --version.  Uses the C library and decimal.hpp.
#ifndef COMMON_OUTPUT_HPP
#define COMMON_OUTPUT_HPP

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "decimal.hpp"

// The room of a result line: the longest number that format_fixed
// writes, twice, and the words around them.
constexpr size_t LINE_ROOM = 2 * FIXED_MAX + 64;

// A result line, written in place in LINE_ROOM bytes that its maker owns:
// a single run's own, or the output buffer of catalogue mode, so that the
// line is written once.  Appending never writes past the room: what does
// not fit is cut off.
struct Line {
	char *text;
	size_t length;
};

// Appends the n bytes at s, or as many as fit.
inline void put(Line &line, const char *s, size_t n)
{
	size_t room = LINE_ROOM - line.length;
	// Two copies, so that the usual one is of a length known where put is
	// called, which the compiler writes as a few moves.
	if (n <= room)
		std::memcpy(line.text + line.length, s, n);
	else
		std::memcpy(line.text + line.length, s, n = room);
	line.length += n;
}

// Appends the text s.
inline void put(Line &line, const char *s) { put(line, s, std::strlen(s)); }

// Appends the first n bytes of the 16 at s, if the room left holds 16:
// all 16 are copied, as a few moves, and the line ends after the n.
inline void put16(Line &line, const char (&s)[16], size_t n)
{
	if (LINE_ROOM - line.length >= 16) {
		std::memcpy(line.text + line.length, s, 16);
		line.length += n;
	}
}

// Appends v as printf writes it with "%*.*f" and width and decimals
// (format_fixed), if the room left holds the longest such number.
inline void put_fixed(Line &line, double v, int width, int decimals)
{
	if (LINE_ROOM - line.length >= FIXED_MAX)
		line.length += format_fixed(line.text + line.length, v, width, decimals);
}

// Appends n units of the last of decimals decimals, below 2^31 in all,
// with a minus if minus and blanks in front up to width, as put_fixed()
// appends the value they round.
inline void put_scaled(Line &line, uint64_t n, bool minus, int width, int decimals)
{
	if (LINE_ROOM - line.length >= FIXED_MAX)
		line.length += format_scaled(line.text + line.length, n, minus, width, decimals);
}

// Gives standard output a static buffer, as stdio would otherwise take one
// from the heap.
inline void static_stdout()
{
	static char buf[512];
	std::setvbuf(stdout, buf, _IOFBF, sizeof buf);
}

// Gives standard error a static buffer, flushed at each line, so that a
// message is one write and stdio takes nothing from the heap for it.
inline void static_stderr()
{
	static char buf[1 << 12];
	std::setvbuf(stderr, buf, _IOLBF, sizeof buf);
}

// Reports that standard output failed, with the reason in errno, and
// returns the exit status 1.
inline int write_error(const char *prog)
{
	std::fprintf(stderr, "%s: write error: %s\n", prog, std::strerror(errno));
	return 1;
}

// Flushes standard output and returns the exit status: 1, after a
// message, if what was written did not reach its reader.
inline int finish(const char *prog)
{
	// A write that failed while the text was formatted leaves the stream's
	// error set, and nothing for the flush to fail on.
	if (std::fflush(stdout) != 0 || std::ferror(stdout))
		return write_error(prog);
	return 0;
}

// A single run's result: the line on standard output, and the exit status.
inline int write_line(const char *prog, const Line &line)
{
	static_stdout();
	std::fwrite(line.text, 1, line.length, stdout);
	return finish(prog);
}

// --help: the usage text, formatted with prog, then the program's other
// forms and its options, formatted with prog three times, on standard
// output.
inline int write_help(const char *prog, const char *usage, const char *forms)
{
	static_stdout();
	std::printf(usage, prog);
	std::printf(forms, prog, prog, prog);
	return finish(prog);
}

// --version: the program's name, the project's and its version.
inline int write_version(const char *prog, const char *name)
{
	static_stdout();
	std::printf("%s (skyangles) %s\n", name, SKYANGLES_VERSION);
	return finish(prog);
}

// The most bytes that catalogue mode's output writes at once.
constexpr size_t OUTPUT_BLOCK = 1 << 16;

// The output of catalogue mode, standard output or another file
// descriptor: lines gathered in a buffer and written in blocks, or each as
// it comes to a terminal.  Each line is written in the room after what is
// gathered (line_room()).
struct Output {
	int fd;
	size_t length;
	bool each_line;
	char buf[OUTPUT_BLOCK + LINE_ROOM];
};

// Sets out up, empty, to write to the file descriptor fd.
inline void output_to(Output &out, int fd)
{
	out.fd = fd;
	out.length = 0;
	out.each_line = isatty(fd);
}

// Writes what out has gathered.  Returns false, with errno, if it cannot
// be written.
inline bool flush(Output &out)
{
	for (size_t done = 0; done < out.length;) {
		ssize_t n = write(out.fd, out.buf + done, out.length - done);
		if (n < 0 && errno == EINTR)
			continue;
		if (n <= 0) {
			errno = n == 0 ? EIO : errno;
			return false;
		}
		done += static_cast<size_t>(n);
	}
	out.length = 0;
	return true;
}

// The room for the next line of out, after what it has gathered.
inline Line line_room(Output &out) { return Line{out.buf + out.length, 0}; }

// Adds the line, written in line_room(out), to what out has gathered:
// what is gathered is written first if the two exceed a block, so that
// blocks are written as they would be were each line copied in.  Returns
// false, with errno, if it cannot be written.
inline bool emit(Output &out, const Line &line)
{
	if (out.length + line.length > OUTPUT_BLOCK) {
		if (!flush(out))
			return false;
		std::memmove(out.buf, line.text, line.length);
	}
	out.length += line.length;
	return !out.each_line || flush(out);
}

#endif
