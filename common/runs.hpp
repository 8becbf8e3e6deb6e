// The runs that both programs share: one answer from the operands, or one
// answer for each line of standard input (catalogue mode, the operand
// "-"), and --help and --version.  A program supplies the function that
// turns its field texts into the result line.
#ifndef RUNS_HPP
#define RUNS_HPP

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "lines.hpp"
#include "options.hpp"
#include "result_line.hpp"

// A field that a program refuses: what it should have been ("right
// ascension", "declination", "year"), its text, and why if it was read: a
// phrase after the text ("outside the span of iau2006, 1000 to 3000"), or
// null for a text that cannot be read.
struct Refusal {
	const char *what;
	const char *text;
	const char *reason;
};

// Fills in refusal with what, text and reason, and returns false.
inline bool refuse(Refusal &refusal, const char *what, const char *text, const char *reason = nullptr)
{
	refusal = {what, text, reason};
	return false;
}

// Turns the field texts of one question into its result line, or fills in
// the refusal of the first field that is not valid and returns false.
using Answer = bool (*)(char *const fields[], const Settings &settings, Line &line, Refusal &refusal);

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

// Writes the message for a refused field: "PROG: invalid WHAT string
// "TEXT"", or "PROG: WHAT "TEXT" REASON" for a field refused for a reason,
// with line N after the program's name if number is not 0.  The first
// release's runs repeat the text as it is; every other run escapes its
// control bytes.
inline void report_refusal(const char *prog, unsigned long long number, const Refusal &refusal, bool escape)
{
	std::fprintf(stderr, "%s: ", prog);
	if (number != 0)
		std::fprintf(stderr, "line %llu: ", number);
	const char *text = escape || number != 0 ? escaped(refusal.text) : refusal.text;
	if (refusal.reason != nullptr)
		std::fprintf(stderr, "%s \"%s\" %s\n", refusal.what, text, refusal.reason);
	else
		std::fprintf(stderr, "invalid %s string \"%s\"\n", refusal.what, text);
}

// A single run: the answer to the operands on standard output and status
// 0, or the message for the first refused one and status 1.
inline int answer_once(const char *prog, const Options &o, Answer answer)
{
	static_stdout();
	Line line;
	Refusal refusal;
	if (!answer(o.operands, o.settings, line, refusal)) {
		report_refusal(prog, 0, refusal, !o.plain);
		return 1;
	}
	std::fwrite(line.text, 1, line.length, stdout);
	return finish(prog);
}

// --help: the usage text, formatted with prog, then the program's other
// forms and its options, formatted with prog three times, on standard
// output.
inline int help(const char *prog, const char *usage, const char *forms)
{
	static_stdout();
	std::printf(usage, prog);
	std::printf(forms, prog, prog, prog);
	return finish(prog);
}

// --version: the program's name, the project's and its version.
inline int version(const char *prog, const char *name)
{
	static_stdout();
	std::printf("%s (skyangles) %s\n", name, SKYANGLES_VERSION);
	return finish(prog);
}

// The output of catalogue mode, standard output or another file
// descriptor: lines gathered in a buffer and written in blocks, or each as
// it comes to a terminal.
struct Output {
	int fd;
	size_t length;
	bool each_line;
	char buf[1 << 16];
};

// Gives standard error a static buffer, flushed at each line, so that a
// message is one write and stdio takes nothing from the heap for it.
inline void static_stderr()
{
	static char buf[1 << 12];
	std::setvbuf(stderr, buf, _IOLBF, sizeof buf);
}

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

// Adds the line to out.  Returns false, with errno, if what is gathered
// cannot be written.
inline bool emit(Output &out, const Line &line)
{
	if (out.length + line.length > sizeof out.buf && !flush(out))
		return false;
	std::memcpy(out.buf + out.length, line.text, line.length);
	out.length += line.length;
	return !out.each_line || flush(out);
}

// Catalogue mode: reads the lines of in and writes one line for each
// through out, so that line numbers match between input and output: the
// answer to its question; an empty line for a blank line, a comment or a
// header; or an empty line and a message naming the line.  A line ends at
// a newline or at the end of the input, and one carriage return before it
// belongs to the line end; a UTF-8 byte order mark before the first line
// is dropped.  The fields of a question are the first ones,
// exactly as many as it has, or those that --columns chooses, of a line
// that has at least as many as the largest number; columns chosen by name
// are numbered by the header, the first line that is neither blank nor a
// comment, and a header that cannot be read or lacks a name ends the run.
// Returns the exit status: 0 if no line gave a message, else 1; a read or
// write error ends the run at once with status 1.  Memory is fixed: the
// buffers of in and out, which the caller owns.  At a terminal, each
// result is written as soon as its line is entered.
inline int answer_lines(const char *prog, const Options &o, Answer answer, LineReader &in, Output &out)
{
	Columns columns = o.columns;
	bool header = false; // a header is yet to come
	for (int k = 0; k < columns.count; k++)
		header = header || columns.name[k] != nullptr;
	char *fields[FIELDS_MAX];
	bool failed = false;
	for (unsigned long long number = 1;; number++) {
		char *text;
		size_t length;
		bool overlong;
		int got = read_line(in, &text, &length, &overlong);
		if (got < 0) {
			int reason = errno;
			if (!flush(out)) // the answers to the lines before
				return write_error(prog);
			std::fprintf(stderr, "%s: read error: %s\n", prog, std::strerror(reason));
			return 1;
		}
		if (got == 0)
			break;
		if (length > 0 && text[length - 1] == '\r')
			text[--length] = '\0';
		// The byte order mark that some programs write before a UTF-8 text.
		if (number == 1 && length >= 3 && std::memcmp(text, "\xef\xbb\xbf", 3) == 0) {
			text += 3;
			length -= 3;
		}

		// The line's answer, or the first message that applies to it.
		Line line;
		const char *fault = nullptr;
		int found = 0;
		Refusal refusal;
		if (overlong || length > LINE_MAX_BYTES) {
			fault = "line too long";
		} else if (std::memchr(text, '\0', length) != nullptr) {
			fault = "NUL byte in line";
		} else if (is_blank_or_comment(text, length)) {
			// no answer and no message
		} else if (header) {
			if (!name_columns(text, length, o.delimiter, columns)) {
				fault = "unterminated quoted field";
			} else {
				for (int k = 0; k < columns.count; k++) {
					if (columns.number[k] == 0) {
						std::fprintf(stderr, "%s: line %llu: no column \"%s\"\n", prog, number,
						             escaped(columns.name[k]));
						return flush(out) ? 1 : write_error(prog);
					}
				}
				header = false;
			}
		} else if ((found = split(text, length, o.delimiter, columns, fields)) < 0) {
			fault = "unterminated quoted field";
		} else if (!columns.chosen && found != columns.count) {
			std::fprintf(stderr, "%s: line %llu: expected %d fields, found %d\n", prog, number, columns.count,
			             found);
			failed = true;
		} else if (found < columns.largest) {
			std::fprintf(stderr, "%s: line %llu: expected at least %d fields, found %d\n", prog, number,
			             columns.largest, found);
			failed = true;
		} else if (!answer(fields, o.settings, line, refusal)) {
			report_refusal(prog, number, refusal, true);
			failed = true;
		}
		if (fault != nullptr) {
			std::fprintf(stderr, "%s: line %llu: %s\n", prog, number, fault);
			if (header) // the columns cannot be named
				return flush(out) ? 1 : write_error(prog);
			failed = true;
		}
		if (line.length == 0)
			put(line, "\n");
		if (!emit(out, line))
			return write_error(prog);
	}
	if (!flush(out))
		return write_error(prog);
	return failed ? 1 : 0;
}

// Catalogue mode on standard input and output, with their buffers in
// static memory.
inline int answer_stdin(const char *prog, const Options &o, Answer answer)
{
	static LineReader in;
	static Output out;
	line_reader(in, read_stdin, nullptr, BLOCK_MAX);
	output_to(out, STDOUT_FILENO);
	static_stderr();
	return answer_lines(prog, o, answer, in, out);
}

#endif
