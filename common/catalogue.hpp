// The runs that both programs share: one answer from the arguments, or
// one answer for each line of standard input (the argument "-", for a
// catalogue of positions), and --help and --version.  A program supplies
// the function that turns its field texts into the result line.
#ifndef CATALOGUE_HPP
#define CATALOGUE_HPP

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "decimal.hpp"

// The longest line of a catalogue, in bytes before its line end.
constexpr size_t LINE_MAX_BYTES = 65536;
// The most fields that a question has.
constexpr int FIELDS_MAX = 4;

// A field that a program refuses: what it should have been ("right
// ascension", "declination") and its text.
struct Refusal {
	const char *what;
	const char *text;
};

// Fills in refusal with what and text, and returns false.
inline bool refuse(Refusal &refusal, const char *what, const char *text)
{
	refusal = {what, text};
	return false;
}

// Turns the field texts of one question into its result line, or fills in
// the refusal of the first field that is not valid and returns false.
using Answer = bool (*)(char *const fields[], Line &line, Refusal &refusal);

// The invocation name, or name if the kernel started the program with no
// name or an empty one.
inline const char *invocation_name(int argc, char *argv[], const char *name)
{
	return argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : name;
}

// Gives standard output a static buffer, as stdio would otherwise take one
// from the heap.
inline void static_stdout()
{
	static char buf[512];
	std::setvbuf(stdout, buf, _IOFBF, sizeof buf);
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
	if (std::fflush(stdout) != 0)
		return write_error(prog);
	return 0;
}

// A single run: the answer to the argument texts on standard output and
// status 0, or the message for the first refused one and status 1.
inline int answer_once(const char *prog, char *const args[], Answer answer)
{
	static_stdout();
	Line line;
	Refusal refusal;
	if (!answer(args, line, refusal)) {
		std::fprintf(stderr, "%s: invalid %s string \"%s\"\n", prog, refusal.what, refusal.text);
		return 1;
	}
	std::fwrite(line.text, 1, line.length, stdout);
	return finish(prog);
}

// --help: the usage text, formatted with prog, then the program's other
// forms, formatted with prog twice, on standard output.
inline int help(const char *prog, const char *usage, const char *forms)
{
	static_stdout();
	std::printf(usage, prog);
	std::printf(forms, prog, prog);
	return finish(prog);
}

// --version: the program's name, the project's and its version.
inline int version(const char *prog, const char *name)
{
	static_stdout();
	std::printf("%s (skyangles) %s\n", name, SKYANGLES_VERSION);
	return finish(prog);
}

// The text with each control byte written as \x and two hex digits, so
// that a file cannot drive the user's terminal through a message.  Valid
// until the next call.
inline const char *escaped(const char *text)
{
	static char buf[4 * LINE_MAX_BYTES + 1];
	char *p = buf;
	for (const unsigned char *t = reinterpret_cast<const unsigned char *>(text); *t; t++) {
		if (*t < 0x20 || *t == 0x7f) {
			*p++ = '\\';
			*p++ = 'x';
			*p++ = "0123456789abcdef"[*t >> 4];
			*p++ = "0123456789abcdef"[*t & 15];
		} else {
			*p++ = static_cast<char>(*t);
		}
	}
	*p = '\0';
	return buf;
}

// Splits the line text, of length bytes, at runs of blanks and tabs in
// place, keeps the first max fields in fields, and returns how many there
// are.
inline int split(char *text, size_t length, char *fields[], int max)
{
	char *end = text + length;
	int found = 0;
	for (char *p = text; p < end;) {
		if (*p == ' ' || *p == '\t') {
			*p++ = '\0';
			continue;
		}
		if (found < max)
			fields[found] = p;
		found++;
		while (p < end && *p != ' ' && *p != '\t')
			p++;
	}
	return found;
}

// Takes the next line of standard input, without its newline, into *text
// and *length: in place, in a static buffer, with a NUL after it.  Input
// is read in blocks as it comes, so that at a terminal each line is taken
// as soon as it is entered.  A line longer than LINE_MAX_BYTES + 1 bytes
// is skipped to its end and taken as overlong, its text cut short.
// Returns 1 for a line, 0 at the end of the input, and -1, with errno, if
// the input cannot be read.
inline int read_line(char **text, size_t *length, bool *overlong)
{
	// A whole line, its newline and a block.
	static char buf[LINE_MAX_BYTES + 2 + (1 << 16)];
	static size_t start, end; // the bytes read and not yet taken
	static bool eof;
	*overlong = false;
	for (;;) {
		char *line = buf + start;
		char *newline = static_cast<char *>(std::memchr(line, '\n', end - start));
		if (newline != nullptr || (eof && (start < end || *overlong))) {
			*text = line;
			*length = newline ? static_cast<size_t>(newline - line) : end - start;
			line[*length] = '\0';
			start += *length + (newline != nullptr);
			return 1;
		}
		if (eof)
			return 0;
		if (end - start > LINE_MAX_BYTES + 1) {
			*overlong = true;
			start = end;
		}
		// Move the start of the line to the front, and read on after it.
		std::memmove(buf, line, end - start);
		end -= start;
		start = 0;
		ssize_t got = read(STDIN_FILENO, buf + end, sizeof buf - 1 - end);
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0)
			return -1;
		eof = got == 0;
		end += static_cast<size_t>(got);
	}
}

// Catalogue mode: reads standard input line by line and writes one line
// for each, so that line numbers match between input and output: the
// answer to its count fields; an empty line for a line without fields or
// one whose first field begins with # (a comment or header); or an empty
// line and a message naming the line.  A line ends at a newline or at the
// end of the input, and one carriage return before it belongs to the line
// end; fields are separated by blanks and tabs.  count is at most
// FIELDS_MAX.  Returns the exit status: 0 if no line gave a message, else
// 1; a read or write error ends the run at once with status 1.  Memory is
// fixed: static buffers for standard input, output and error.  At a
// terminal, each result is written as soon as its line is entered.
inline int answer_lines(const char *prog, int count, Answer answer)
{
	static char out[1 << 16], err[1 << 12];
	std::setvbuf(stdout, out, isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, sizeof out);
	std::setvbuf(stderr, err, _IOLBF, sizeof err);
	char *fields[FIELDS_MAX];
	bool failed = false;
	for (unsigned long long number = 1;; number++) {
		char *text;
		size_t length;
		bool overlong;
		int got = read_line(&text, &length, &overlong);
		if (got < 0) {
			std::fprintf(stderr, "%s: read error: %s\n", prog, std::strerror(errno));
			return 1;
		}
		if (got == 0)
			break;
		if (length > 0 && text[length - 1] == '\r')
			text[--length] = '\0';

		// The line's answer, or the first message that applies to it.
		Line line;
		if (overlong || length > LINE_MAX_BYTES) {
			std::fprintf(stderr, "%s: line %llu: line too long\n", prog, number);
			failed = true;
		} else if (std::memchr(text, '\0', length) != nullptr) {
			std::fprintf(stderr, "%s: line %llu: NUL byte in line\n", prog, number);
			failed = true;
		} else {
			int found = split(text, length, fields, count);
			Refusal refusal;
			if (found == 0 || fields[0][0] == '#') {
				// a blank line, a comment or a header: no answer and no message
			} else if (found != count) {
				std::fprintf(stderr, "%s: line %llu: expected %d fields, found %d\n", prog, number, count,
				             found);
				failed = true;
			} else if (!answer(fields, line, refusal)) {
				std::fprintf(stderr, "%s: line %llu: invalid %s string \"%s\"\n", prog, number, refusal.what,
				             escaped(refusal.text));
				failed = true;
			}
		}
		if (line.length == 0)
			put(line, "\n");
		std::fwrite(line.text, 1, line.length, stdout);
		if (std::ferror(stdout))
			return write_error(prog);
	}
	if (finish(prog) != 0)
		return 1;
	return failed ? 1 : 0;
}

#endif
