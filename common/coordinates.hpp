// Coordinate texts: a right ascension or a declination read from its text
// into radians, in the notations that the programs take, or refused.  Uses
// angles.hpp, decimal.hpp and messages.hpp.
//
// Every notation is up to three numbers with a unit mark after each of the
// first two; whatever follows the last number read is ignored.  Its value
// is the unit, then minutes / 60.0 added to it, then seconds / 3600.0 added
// to that, in that order.  A declination may have one sign in front, which
// applies to the whole value (-0o30' and -00:30 are south).
#ifndef COORDINATES_HPP
#define COORDINATES_HPP

#include <cmath>

#include "angles.hpp"
#include "decimal.hpp"
#include "messages.hpp"

// How coordinate texts are read.
struct Reading {
	enum Kind {
		// Only the notation with unit marks: 12h30m36s, -16o42'58 (a
		// single run of skysep without options).
		MARKS,
		// The number at the front of the text, as atof reads it, never
		// refused for its form (a single run of precession without options).
		LEADING,
		// Every notation below, and a text is read in whole or refused
		// (catalogue mode, and every run with an option).
		CATALOGUE,
	} kind;
	// CATALOGUE: also any text that strtod reads in whole (-1, 2.5e1).
	bool numbers;
	// CATALOGUE: a right ascension without marks (h, m, s or colons) is
	// in degrees, not hours.
	bool degrees;
};

// The notations, by the characters that each admits besides the digits and
// the point, in the order a text is tried in them:
//   right ascension: h and m marks, an s closing (12h30m36s); colons;
//   declination: o and ' marks, a " closing (16o42'58"); d and m marks,
//   an s closing (16d42m58s); colons (16:42:58).
// The sets differ in their marks only, so the order never changes a value.
enum : unsigned char {
	RA_MARKS = 1,
	DEC_MARKS = 2,
	DEC_LETTERS = 4,
	COLONS = 8,
	ALL_NOTATIONS = 15,
	RA_MARK = 16, // h, m, s or a colon: a right ascension in hours
};

struct CharNotations {
	unsigned char of[256];
};

// Adds bits to the notations of each of the characters.
constexpr void add(CharNotations &t, const char *chars, unsigned char bits)
{
	for (; *chars != '\0'; chars++)
		t.of[static_cast<unsigned char>(*chars)] |= bits;
}

constexpr CharNotations char_notations()
{
	CharNotations t{};
	add(t, "0123456789.", ALL_NOTATIONS);
	add(t, "hms", RA_MARKS);
	add(t, "o'\"", DEC_MARKS);
	add(t, "dms", DEC_LETTERS);
	add(t, ":", COLONS);
	add(t, "hms:", RA_MARK);
	return t;
}

// The notations that each byte belongs to.
constexpr CharNotations CHAR_NOTATIONS = char_notations();

// The notations whose characters every character of the text s fits.
inline unsigned notations_of(const char *s)
{
	unsigned all = ALL_NOTATIONS;
	for (; *s != '\0'; s++)
		all &= CHAR_NOTATIONS.of[static_cast<unsigned char>(*s)];
	return all;
}

// Whether the text s holds a right ascension's mark.
inline bool is_marked(const char *s)
{
	for (; *s != '\0'; s++)
		if (CHAR_NOTATIONS.of[static_cast<unsigned char>(*s)] & RA_MARK)
			return true;
	return false;
}

// Reads up to three numbers separated by the unit marks mark1 and mark2
// into v and returns how many were read (0 to 3); whatever follows the
// last number read is ignored.  This is the scan of the formatted-input
// pattern "%lf<mark1>%lf<mark2>%lf".  Callers admit only digits, points
// and the marks, so read_decimal reads exactly the numbers that pattern
// would, and unlike the formatted-input scanner it needs no heap for a
// long run of digits.
inline int scan3(const char *s, char mark1, char mark2, double v[3])
{
	const char marks[2] = {mark1, mark2};
	int n = 0;
	for (;;) {
		// No sign or exponent can come: a number of few digits is read
		// directly, any other as strtod reads it.
		const char *end;
		if (!read_short(s, &v[n], &end)) {
			char *e;
			v[n] = read_decimal(s, &e);
			end = e;
		}
		if (end == s)
			return n;
		if (++n == 3 || *end != marks[n - 1])
			return n;
		s = end + 1;
	}
}

// The scan of scan3 when each number is one that read_short reads: their
// count (1 to 3), with *rest set after the last, or 0 if a number is not
// (scan3 then reads the text).  The text after the last number, and the
// numbers and marks read before it, are then all the text has: if rest
// fits a notation of mark1 and mark2, so does the text, and scan3 reads
// it to the same numbers.  So the notations of a text need not be found
// first, in a pass of their own, for the usual text.
inline int scan3_short(const char *s, char mark1, char mark2, double v[3], const char **rest)
{
	const char marks[2] = {mark1, mark2};
	int n = 0;
	for (;;) {
		const char *end;
		if (!read_short(s, &v[n], &end))
			return 0;
		if (++n == 3 || *end != marks[n - 1]) {
			*rest = end;
			return n;
		}
		s = end + 1;
	}
}

// Value of n sexagesimal components (1 to 3): the unit, then minutes and
// seconds added to it in that order.
inline double sexagesimal(const double v[3], int n)
{
	double value = v[0];
	if (n >= 2)
		value = v[1] / 60.0 + value;
	if (n == 3)
		value = v[2] / 3600.0 + value;
	return value;
}

// Reads the text s as one number that strtod reads in whole into v[0],
// and returns 1, or 0 if strtod reads it in part or not at all.
inline int scan_whole(const char *s, double v[3])
{
	char *end;
	v[0] = read_decimal(s, &end);
	return end != s && *end == '\0';
}

// Right ascension text to radians in *radians: hours, or with
// reading.degrees and no marks, degrees.  Marked texts are H, HhM or HhMmS
// with an optional closing s, and in the catalogue reading H:M:S; the
// first number is hours whatever mark follows it.  No range is imposed,
// but a value that is not finite in radians is refused, as nothing could
// be computed from it.  Returns false for a text that is not a right
// ascension.
inline bool get_ra(const char *text, const Reading &reading, double *radians)
{
	double v[3];
	int n = 0;
	if (reading.kind == Reading::LEADING) {
		v[0] = read_decimal(text, nullptr);
		n = 1;
	} else {
		const char *rest;
		n = scan3_short(text, 'h', 'm', v, &rest);
		if (n == 0 || !(notations_of(rest) & RA_MARKS)) {
			unsigned fits = notations_of(text);
			bool catalogue = reading.kind == Reading::CATALOGUE;
			n = 0;
			if (fits & RA_MARKS)
				n = scan3(text, 'h', 'm', v);
			else if (catalogue && (fits & COLONS))
				n = scan3(text, ':', ':', v);
			else if (catalogue && reading.numbers)
				n = scan_whole(text, v);
		}
	}
	if (n == 0)
		return false;
	double value = sexagesimal(v, n);
	*radians = reading.degrees && !is_marked(text) ? deg_to_rad(value) : hours_to_rad(value);
	return std::isfinite(*radians);
}

// Declination text to radians in *radians, from signed degrees: D, DoM or
// DoM'S with an optional closing double quote, and in the catalogue
// reading DdMmS with an optional closing s and D:M:S, each with one
// optional leading sign, which applies to every component.  Refused like
// a right ascension.
inline bool get_dec(const char *text, const Reading &reading, double *radians)
{
	double v[3];
	int n = 0;
	bool south = false;
	if (reading.kind == Reading::LEADING) {
		v[0] = read_decimal(text, nullptr);
		n = 1;
	} else {
		const char *s = text;
		if (*s == '+' || *s == '-')
			south = *s++ == '-';
		const char *rest;
		n = scan3_short(s, 'o', '\'', v, &rest);
		if (n == 0 || !(notations_of(rest) & DEC_MARKS)) {
			unsigned fits = notations_of(s);
			bool catalogue = reading.kind == Reading::CATALOGUE;
			n = 0;
			if (fits & DEC_MARKS) {
				n = scan3(s, 'o', '\'', v);
			} else if (catalogue && (fits & DEC_LETTERS)) {
				n = scan3(s, 'd', 'm', v);
			} else if (catalogue && (fits & COLONS)) {
				n = scan3(s, ':', ':', v);
			} else if (catalogue && reading.numbers) {
				n = scan_whole(text, v); // the sign is the number's own
				south = false;
			}
		}
	}
	if (n == 0)
		return false;
	double degrees = sexagesimal(v, n);
	if (south)
		degrees = -degrees;
	*radians = deg_to_rad(degrees);
	return std::isfinite(*radians);
}

// The texts ra and dec to a position in radians, *alpha and *delta, or the
// refusal of the first that is not a coordinate, right ascension first.
inline bool get_position(const char *ra, const char *dec, const Reading &reading, double *alpha, double *delta,
                         Refusal &refusal)
{
	if (!get_ra(ra, reading, alpha))
		return refuse(refusal, "right ascension", ra);
	if (!get_dec(dec, reading, delta))
		return refuse(refusal, "declination", dec);
	return true;
}

#endif
