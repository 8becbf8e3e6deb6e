// The line that answers a question, built in place without the heap and
// without formatted output.
#ifndef RESULT_LINE_HPP
#define RESULT_LINE_HPP

#include <cstring>

#include "decimal.hpp"

// A result line of fixed capacity: room for the longest number that
// format_fixed writes, twice, and the words around them.  Appending never
// writes past the room: what does not fit is cut off.
struct Line {
	char text[2 * FIXED_MAX + 64];
	size_t length = 0;
};

// Appends the n bytes at s, or as many as fit.
inline void put(Line &line, const char *s, size_t n)
{
	size_t room = sizeof line.text - line.length;
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

// Appends v as printf writes it with "%*.*f" and width and decimals
// (format_fixed), if the room left holds the longest such number.
inline void put_fixed(Line &line, double v, int width, int decimals)
{
	if (sizeof line.text - line.length >= FIXED_MAX)
		line.length += format_fixed(line.text + line.length, v, width, decimals);
}

#endif
