// The messages of both programs about their input: a field refused, with
// what it should have been and why, and texts repeated in a message with
// their control bytes escaped.  Uses the C library only.
#ifndef COMMON_MESSAGES_HPP
#define COMMON_MESSAGES_HPP

#include <cstdio>

#include "line_reader.hpp"

// The text with each control byte written as \x and two hex digits, so
// that a file cannot drive the user's terminal through a message.  Valid
// until the next call.
inline const char *escaped(const char *text)
{
	static char buf[4 * LINE_MAX_BYTES + 1];
	char *p = buf;
	for (const unsigned char *t = reinterpret_cast<const unsigned char *>(text); *t; t++) {
		if (p + 4 >= buf + sizeof buf)
			break;
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

// Writes the message for a refused field to standard error: "PROG:
// invalid WHAT string "TEXT"", or "PROG: WHAT "TEXT" REASON" for a field
// refused for a reason, with "line N: " after the program's name if number
// is not 0.  The first release's runs repeat the text as it is; every
// other run escapes its control bytes.
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

#endif
