// The messages of both programs about their input: a field refused, with
// what it should have been and why, and texts repeated in a message with
// their control bytes escaped.  Uses the C library only.
#ifndef COMMON_MESSAGES_HPP
#define COMMON_MESSAGES_HPP

#include <cstdarg>
#include <cstdio>

#include "line_reader.hpp"

// The length of the UTF-8 character that begins at t, 1 to 4 bytes, or 0
// if t begins none: valid UTF-8 as RFC 3629 defines it, with no overlong
// form, no surrogate and nothing above U+10FFFF.  The text is ended by a
// NUL, which no continuation byte is, so no byte after it is read.
inline int utf8_length(const unsigned char *t)
{
	unsigned c = t[0];
	if (c < 0x80)
		return 1;
	if (c < 0xc2 || c > 0xf4 || (t[1] & 0xc0) != 0x80)
		return 0;
	if (c < 0xe0)
		return 2;
	// The second byte's span: no overlong form, no surrogate, nothing
	// beyond U+10FFFF.
	if ((c == 0xe0 && t[1] < 0xa0) || (c == 0xed && t[1] >= 0xa0) || (c == 0xf0 && t[1] < 0x90) ||
	    (c == 0xf4 && t[1] >= 0x90) || (t[2] & 0xc0) != 0x80)
		return 0;
	if (c < 0xf0)
		return 3;
	return (t[3] & 0xc0) == 0x80 ? 4 : 0;
}

// Whether the n bytes at t, a valid UTF-8 character, are ones that a
// message writes as escapes: a control character, C0, DEL or C1, or the
// byte order mark U+FEFF, which shows as nothing.
inline bool is_hidden(const unsigned char *t, int n)
{
	if (n == 1)
		return t[0] < 0x20 || t[0] == 0x7f;
	if (n == 2)
		return t[0] == 0xc2 && t[1] < 0xa0;
	return n == 3 && t[0] == 0xef && t[1] == 0xbb && t[2] == 0xbf;
}

// The text with each byte that a terminal would not show as written, or
// could take as a command, written as \x and two hex digits in lower case:
// the control characters and the byte order mark, byte by byte, and every
// byte that is not part of valid UTF-8; so a file cannot drive the user's
// terminal through a message, and what a field holds is shown.  Printable
// UTF-8 (the degree sign, the primes) stays as it is; into buf, of size
// bytes, cut short where it would not fit.  Returns buf.
inline const char *escape_into(char *buf, size_t size, const char *text)
{
	char *p = buf;
	for (const unsigned char *t = reinterpret_cast<const unsigned char *>(text); *t;) {
		int n = utf8_length(t);
		bool hide = n <= 0 || is_hidden(t, n);
		n = n <= 0 ? 1 : n;
		if (p + 4 * n >= buf + size)
			break;
		for (int k = 0; k < n; k++, t++) {
			if (hide) {
				*p++ = '\\';
				*p++ = 'x';
				*p++ = "0123456789abcdef"[*t >> 4];
				*p++ = "0123456789abcdef"[*t & 15];
			} else {
				*p++ = static_cast<char>(*t);
			}
		}
	}
	*p = '\0';
	return buf;
}

// The text escaped as escape_into() escapes it, whole for any line of a
// catalogue.  Valid until the next call.
inline const char *escaped(const char *text)
{
	static char buf[4 * LINE_MAX_BYTES + 1];
	return escape_into(buf, sizeof buf, text);
}

// A field that a program refuses: what it should have been ("right
// ascension", "declination", "year"), its text, and why if it was read: a
// phrase after the text ("outside the span of iau2006, 1000 to 3000"), or
// null for a text that cannot be read.  A question refused whole, not for
// one field, has what and text null and its reason alone ("star moves
// faster than half the speed of light").
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

// Where the subject of a message stands: a line of standard input (file
// null), a line of the file named, or neither, the command line (line 0).
struct Where {
	const char *file;
	unsigned long long line;
};

// The command line, as the subject of a message.
constexpr Where COMMAND_LINE = {nullptr, 0};

// Writes the start of a message about where's subject to standard error:
// "PROG: ", then "line N: " or "FILE:N: ".
inline void report_where(const char *prog, const Where &where)
{
	static char name[4 * 4096 + 1]; // of its own, so that escaped()'s texts may follow it
	std::fprintf(stderr, "%s: ", prog);
	if (where.file != nullptr)
		std::fprintf(stderr, "%s:%llu: ", escape_into(name, sizeof name, where.file), where.line);
	else if (where.line != 0)
		std::fprintf(stderr, "line %llu: ", where.line);
}

// Writes a message about where's subject to standard error: its start,
// as report_where() writes it, then format with the arguments after it,
// and a newline.
__attribute__((format(printf, 3, 4))) inline void report_at(const char *prog, const Where &where,
                                                             const char *format, ...)
{
	report_where(prog, where);
	std::va_list args;
	va_start(args, format);
	std::vfprintf(stderr, format, args);
	va_end(args);
	std::fputc('\n', stderr);
}

// Writes the message for a refused field to standard error: "PROG:
// invalid WHAT string "TEXT"", or "PROG: WHAT "TEXT" REASON" for a field
// refused for a reason, or "PROG: REASON" for a question refused whole,
// with where's line or file after the program's name (report_where()).
// The first release's runs repeat the text as it is; every other run
// escapes it (escaped()).
inline void report_refusal(const char *prog, const Where &where, const Refusal &refusal, bool escape)
{
	report_where(prog, where);
	if (refusal.text == nullptr) {
		std::fprintf(stderr, "%s\n", refusal.reason);
		return;
	}
	const char *text = escape ? escaped(refusal.text) : refusal.text;
	if (refusal.reason != nullptr)
		std::fprintf(stderr, "%s \"%s\" %s\n", refusal.what, text, refusal.reason);
	else
		std::fprintf(stderr, "invalid %s string \"%s\"\n", refusal.what, text);
}

#endif
