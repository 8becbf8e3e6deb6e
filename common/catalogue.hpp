// Catalogue mode, the operand "-": each line of standard input answered
// in turn with one line of output, its messages, and the exit status.  A
// program hands the loop the function that turns the fields of one
// question into its result line, and the context, which the program owns,
// that the function reads and may change.  Uses the line reader, the
// fields, the messages and the output of common/.
#ifndef CATALOGUE_HPP
#define CATALOGUE_HPP

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fields.hpp"
#include "line_reader.hpp"
#include "messages.hpp"
#include "output.hpp"

// Catalogue mode: reads the lines of in and writes one line for each
// through out, so that line numbers match between input and output: the
// answer to its question; an empty line for a blank line, a comment or a
// header; or an empty line and a message naming the line.  A line ends at
// a newline or at the end of the input, and one carriage return before it
// belongs to the line end; a UTF-8 byte order mark before the first line
// is dropped.  The fields of a question are the first ones, exactly as
// many as it has, or those that --columns chooses, of a line that has at
// least as many as the largest number, the split columns of a coordinate
// joined; columns chosen by name are numbered by the header, the first
// line that is neither blank nor a comment, and a header that cannot be
// read or lacks a name ends the run.  Returns the exit status: 0 if no
// line gave a message, else 1; a read or write error ends the run at once
// with status 1.  Memory is fixed: the buffers of in and out, which the
// caller owns, and one for the joined columns.  At a terminal, each
// result is written as soon as its line is entered.
template <typename Context>
inline int answer_lines(const char *prog, const Cutting &cutting,
                        bool (*answer)(char *const fields[], Context &context, Line &line, Refusal &refusal),
                        Context &context, LineReader &in, Output &out)
{
	Columns columns = cutting.columns;
	int parts = columns.first[columns.count];
	bool header = false; // a header is yet to come
	for (int i = 0; i < parts; i++)
		header = header || columns.name[i] != nullptr;
	char *fields[FIELDS_MAX], *values[VALUES_MAX];
	static char joined[JOINED_MAX];
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
			if (!name_columns(text, length, cutting.delimiter, columns)) {
				fault = "unterminated quoted field";
			} else {
				for (int i = 0; i < parts; i++) {
					if (columns.number[i] == 0) {
						std::fprintf(stderr, "%s: line %llu: no column \"%s\"\n", prog, number,
						             escaped(columns.name[i]));
						return flush(out) ? 1 : write_error(prog);
					}
				}
				header = false;
			}
		} else if ((found = split(text, length, cutting.delimiter, columns, fields)) < 0) {
			fault = "unterminated quoted field";
		} else if (!columns.chosen && found != columns.count) {
			std::fprintf(stderr, "%s: line %llu: expected %d fields, found %d\n", prog, number, columns.count,
			             found);
			failed = true;
		} else if (found < columns.largest) {
			std::fprintf(stderr, "%s: line %llu: expected at least %d fields, found %d\n", prog, number,
			             columns.largest, found);
			failed = true;
		} else {
			char **question = fields;
			if (columns.joined) {
				join(columns, fields, joined, values);
				question = values;
			}
			if (!answer(question, context, line, refusal)) {
				report_refusal(prog, number, refusal, true);
				failed = true;
			}
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
template <typename Context>
inline int answer_stdin(const char *prog, const Cutting &cutting,
                        bool (*answer)(char *const fields[], Context &context, Line &line, Refusal &refusal),
                        Context &context)
{
	static LineReader in;
	static Output out;
	line_reader(in, read_stdin, nullptr, BLOCK_MAX);
	output_to(out, STDOUT_FILENO);
	static_stderr();
	return answer_lines(prog, cutting, answer, context, in, out);
}

#endif
