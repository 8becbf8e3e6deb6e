// Catalogue mode, the operand "-": each line of standard input answered
// in turn with one line of output, its messages, and the exit status.  A
// program hands the loop the function that turns the fields of one
// question into its result line, and the context, which the program owns,
// that the function reads and may change.  Uses the line reader, the
// fields, the messages and the output of common/.
#ifndef COMMON_CATALOGUE_HPP
#define COMMON_CATALOGUE_HPP

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fields.hpp"
#include "line_reader.hpp"
#include "messages.hpp"
#include "output.hpp"

// Takes the next line of in, number (from 1), into *text and *length, as
// read_line() does, without its line end: one carriage return before the
// newline belongs to it, and a UTF-8 byte order mark before the first line
// is dropped.  Returns as read_line().
inline int next_line(LineReader &in, unsigned long long number, char **text, size_t *length, bool *overlong)
{
	int got = read_line(in, text, length, overlong);
	if (got <= 0)
		return got;
	if (*length > 0 && (*text)[*length - 1] == '\r')
		(*text)[--*length] = '\0';
	// The byte order mark that some programs write before a UTF-8 text.
	if (number == 1 && *length >= 3 && std::memcmp(*text, "\xef\xbb\xbf", 3) == 0) {
		*text += 3;
		*length -= 3;
	}
	return got;
}

// The columns of a catalogue run as its lines are read: those that
// --columns or --bytes chose, numbered by the header once it is read, and
// the room for the fields of a line, the ranges of bytes cut from it, and
// the values they join into (CUT_MAX bytes at cut and JOINED_MAX at
// joined, apart, so that making a Questions touches none of them).
struct Questions {
	Columns columns;
	int parts;   // the fields of a question's values, joined or not
	bool header; // a header is yet to come
	char *fields[FIELDS_MAX], *values[VALUES_MAX];
	char *cut, *joined;
};

// Sets q up for the columns that cutting chose, ranges of bytes cut into
// cut and values joined into joined.
inline void questions_of(Questions &q, const Cutting &cutting, char *cut, char *joined)
{
	q.cut = cut;
	q.joined = joined;
	q.columns = cutting.columns;
	q.parts = q.columns.first[q.columns.count];
	q.header = false;
	for (int i = 0; i < q.parts; i++)
		q.header = q.header || q.columns.name[i] != nullptr;
}

// The questions of a catalogue's lines, set up for cutting's columns, in
// static memory: a run reads one catalogue at a time.
inline Questions &questions_for(const Cutting &cutting)
{
	static char cut[CUT_MAX], joined[JOINED_MAX];
	static Questions q;
	questions_of(q, cutting, cut, joined);
	return q;
}

// What a catalogue line holds: a question, no answer (a blank line or a
// comment), the header, a fault that has had its message, or a fault that
// ends the run.
enum LineHolds { QUESTION, NO_ANSWER, HEADER, FAULT, LAST };

// The values of the question whose fields q holds, into *question: the
// fields, or the values that split columns join into.
inline LineHolds question_of(Questions &q, char ***question)
{
	*question = q.fields;
	if (q.columns.joined) {
		join(q.columns, q.fields, q.joined, q.values);
		*question = q.values;
	}
	return QUESTION;
}

// Names the columns from the header line, where, the text of length
// bytes; or gives the message that ends the run.
inline LineHolds read_header(const char *prog, const Where &where, char *text, size_t length,
                             const Cutting &cutting, Questions &q)
{
	if (!name_columns(text, length, cutting.delimiter, q.columns)) {
		report_at(prog, where, "unterminated quoted field");
		return LAST;
	}
	for (int i = 0; i < q.parts; i++) {
		if (q.columns.number[i] == 0) {
			report_at(prog, where, "no column \"%s\"", escaped(q.columns.name[i]));
			return LAST;
		}
	}
	q.header = false;
	return HEADER;
}

// The values of the question of the line where, the text of length
// bytes, cut from its ranges of bytes, into *question; or the message for
// a line that ends before a range.
inline LineHolds cut_question(const char *prog, const Where &where, const char *text, size_t length,
                              Questions &q, char ***question)
{
	const Columns &c = q.columns;
	int i = cut_bytes(text, length, c, q.cut, q.fields);
	if (i >= 0) {
		report_where(prog, where);
		std::fprintf(stderr, "line of %zu bytes ends before byte%s %d", length, c.number[i] < c.last[i] ? "s" : "",
		             c.number[i]);
		if (c.number[i] < c.last[i])
			std::fprintf(stderr, "-%d", c.last[i]);
		std::fputc('\n', stderr);
		return FAULT;
	}
	return question_of(q, question);
}

// What the line where, the text of length bytes (overlong if cut short),
// holds, with its message for a fault; for a question, its values in
// *question, cut from the line in place.
inline LineHolds classify(const char *prog, const Where &where, char *text, size_t length, bool overlong,
                          const Cutting &cutting, Questions &q, char ***question)
{
	const char *fault = nullptr;
	int found = 0;
	if (overlong || length > LINE_MAX_BYTES)
		fault = "line too long";
	else if (holds_nul(text, length))
		fault = "NUL byte in line";
	else if (is_blank_or_comment(text, length))
		return NO_ANSWER;
	else if (q.header)
		return read_header(prog, where, text, length, cutting, q);
	else if (q.columns.bytes)
		return cut_question(prog, where, text, length, q, question);
	else if ((found = split(text, length, cutting.delimiter, q.columns, q.fields)) < 0)
		fault = "unterminated quoted field";
	if (fault != nullptr) {
		report_at(prog, where, "%s", fault);
		return q.header ? LAST : FAULT; // without the header, the columns cannot be named
	}
	const Columns &c = q.columns;
	if (!c.chosen && found != c.count) {
		report_at(prog, where, "expected %d fields, found %d", c.count, found);
		return FAULT;
	}
	if (found < c.largest) {
		report_at(prog, where, "expected at least %d fields, found %d", c.largest, found);
		return FAULT;
	}
	return question_of(q, question);
}

// Catalogue mode: reads the lines of in and writes one line for each
// through out, so that line numbers match between input and output: the
// answer to its question; an empty line for a blank line, a comment or a
// header; or an empty line and a message naming the line.  A line ends at
// a newline or at the end of the input (next_line()).  The fields of a
// question are the first ones, exactly as many as it has, or those that
// --columns chooses, of a line that has at least as many as the largest
// number, the split columns of a coordinate joined; columns chosen by name
// are numbered by the header, the first line that is neither blank nor a
// comment, and a header that cannot be read or lacks a name ends the run;
// the header's line is the text header, which may be empty.  Returns the
// exit status: 0 if no line gave a message, else 1; a read or
// write error ends the run at once with status 1.  Memory is fixed: the
// buffers of in and out, which the caller owns, and those of the
// questions.  At a terminal, each result is written as soon as its line
// is entered.
template <typename Context>
inline int answer_lines(const char *prog, const Cutting &cutting, const char *header,
                        bool (*answer)(char *const fields[], Context &context, Line &line, Refusal &refusal),
                        Context &context, LineReader &in, Output &out)
{
	Questions &q = questions_for(cutting);
	bool failed = false;
	for (unsigned long long number = 1;; number++) {
		char *text, **question;
		size_t length;
		bool overlong;
		int got = next_line(in, number, &text, &length, &overlong);
		if (got < 0) {
			int reason = errno;
			if (!flush(out)) // the answers to the lines before
				return write_error(prog);
			std::fprintf(stderr, "%s: read error: %s\n", prog, std::strerror(reason));
			return 1;
		}
		if (got == 0)
			break;
		Line line = line_room(out);
		Refusal refusal;
		Where where = {nullptr, number};
		LineHolds holds = classify(prog, where, text, length, overlong, cutting, q, &question);
		if (holds == LAST)
			return flush(out) ? 1 : write_error(prog);
		if (holds == QUESTION && !answer(question, context, line, refusal)) {
			report_refusal(prog, where, refusal, true);
			holds = FAULT;
		}
		if (holds == HEADER)
			put(line, header);
		failed = failed || holds == FAULT;
		if (line.length == 0 || holds == HEADER)
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
inline int answer_stdin(const char *prog, const Cutting &cutting, const char *header,
                        bool (*answer)(char *const fields[], Context &context, Line &line, Refusal &refusal),
                        Context &context)
{
	static LineReader in;
	static Output out;
	line_reader(in, read_stdin, nullptr, BLOCK_MAX);
	output_to(out, STDOUT_FILENO);
	static_stderr();
	return answer_lines(prog, cutting, header, answer, context, in, out);
}

#endif
