// Coordinate texts: a right ascension or a declination read from its text
// into radians, in the notations that the programs take, or refused with
// the reason.  Uses angles.hpp, decimal.hpp and messages.hpp.
//
// A sexagesimal text is up to three numbers, the unit, minutes and
// seconds, each a decimal without sign or exponent (5, 5., .5, 5.25).  Its
// value is the unit, then minutes / 60.0 added to it, then seconds /
// 3600.0 added to that, in that order.  A declination may have one sign in
// front, which applies to the whole value (-0o30' and -00:30 are south).
#ifndef COMMON_COORDINATES_HPP
#define COMMON_COORDINATES_HPP

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "angles.hpp"
#include "decimal.hpp"
#include "messages.hpp"

// How coordinate texts are read.
struct Reading {
	enum Kind {
		// The first release's notation with unit marks, whatever follows
		// the last number read ignored: 12h30m36s, -16o42'58 (a single run
		// of skysep without options).
		MARKS,
		// The number at the front of the text, as atof reads it, never
		// refused for its form (a single run of precession without options).
		LEADING,
		// Every notation of the catalogue reading, each text read whole
		// and in range or refused (catalogue mode, and every run with an
		// option).
		CATALOGUE,
	} kind;
	// CATALOGUE: a right ascension without marks, or with degree marks,
	// is in degrees, not hours (--degrees).
	bool degrees;
	// CATALOGUE: a right ascension that is a number alone, which says no
	// unit, is refused (catalogue mode without --hours or --degrees).
	bool unit_needed;
};

// The reasons after the text for a coordinate read but refused.
constexpr const char *NO_UNIT = "without a unit: --hours or --degrees says which";
constexpr const char *SIXTY = "with more than 60 minutes or seconds";
constexpr const char *OUTSIDE_HOURS = "outside 0 to 24 hours";
constexpr const char *OUTSIDE_DEGREES = "outside 0 to 360 degrees";
constexpr const char *OUTSIDE_DECLINATION = "outside -90 to 90 degrees";

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

// The first release's reading.  Reads up to three numbers separated by the
// unit marks mark1 and mark2 into v and returns how many were read (0 to
// 3); whatever follows the last number read is ignored.  This is the scan
// of the formatted-input pattern "%lf<mark1>%lf<mark2>%lf" on a text of
// digits, points and the marks only, which read_decimal reads as that
// pattern would, without the heap that the formatted-input scanner may
// take for a long run of digits.
inline int scan3(const char *s, char mark1, char mark2, double v[3])
{
	const char marks[2] = {mark1, mark2};
	int n = 0;
	for (;;) {
		char *end;
		v[n] = read_decimal(s, &end);
		if (end == s)
			return n;
		if (++n == 3 || *end != marks[n - 1])
			return n;
		s = end + 1;
	}
}

// The first release's reading of a text that only the characters of
// allowed may make up, with the marks mark1 and mark2 between the numbers:
// the number of components read into v, 0 for none or for a character
// outside.
inline int first_release(const char *s, const char *allowed, char mark1, char mark2, double v[3])
{
	if (s[std::strspn(s, allowed)] != '\0')
		return 0;
	return scan3(s, mark1, mark2, v);
}

// The notations of the catalogue reading, by what stands between the
// numbers: the unit marks after the first two, and a mark that may close
// the seconds; or a separator, colons or blanks, that no text ends with.
enum Notation {
	NUMBER,  // a number alone
	HOURS,   // 12h30m36s
	DEGREES, // 16o42'58" or 16°42′58″, ' and " for ′ and ″ too
	LETTERS, // 16d42m58s
	COLONS,  // 16:42:58
	BLANKS,  // 16 42 58, one or more blanks between
};

// The length of the mark at p that may follow number k (0 the unit, 1 the
// minutes, 2 the seconds) in the notation, or 0 if none stands there.  The
// degree sign U+00B0 and the primes U+2032 and U+2033 are their UTF-8
// bytes.
inline size_t mark_at(Notation notation, int k, const char *p)
{
	switch (notation) {
	case HOURS:
		return *p == "hms"[k];
	case LETTERS:
		return *p == "dms"[k];
	case DEGREES:
		if (*p == "o'\""[k])
			return 1;
		if (k == 0)
			return std::strncmp(p, "\xc2\xb0", 2) == 0 ? 2 : 0;
		return std::strncmp(p, k == 1 ? "\xe2\x80\xb2" : "\xe2\x80\xb3", 3) == 0 ? 3 : 0;
	case COLONS:
		return k < 2 && *p == ':';
	case BLANKS:
		return k < 2 ? std::strspn(p, " ") : 0;
	case NUMBER:
		break;
	}
	return 0;
}

// Reads a number without sign or exponent at p, digits with an optional
// point (5, 5., .5), into *v, as strtod reads it, and sets *end after it;
// false if p holds none.
inline bool read_unsigned(const char *p, double *v, const char **end)
{
	if (read_short(p, v, end))
		return true;
	// More than 15 digits, or none.
	const char *q = p;
	while (is_digit(*q))
		q++;
	bool digits = q > p;
	if (*q == '.')
		for (q++; is_digit(*q); q++)
			digits = true;
	char *e;
	*v = std::strtod(p, &e);
	*end = q;
	return digits && e == q;
}

// The components after the first of a text in the notation N, whose
// first mark, m bytes long, is at p, into v[1] and v[2]: the number of
// components in all, as read_sexagesimal() returns it.  One function for
// each notation, so that its marks are known where they are compared.
template <Notation N>
inline int read_after_mark(const char *p, size_t m, double v[3])
{
	for (int k = 0;; k++) {
		p += m;
		if (*p == '\0')
			return N == COLONS || N == BLANKS ? 0 : k + 1;
		if (k == 2 || !read_unsigned(p, &v[k + 1], &p))
			return 0;
		if (*p == '\0')
			return k + 2;
		if ((m = mark_at(N, k + 1, p)) == 0)
			return 0;
	}
}

// Reads the text s whole as a sexagesimal text of the catalogue reading,
// the numbers into v and its notation into *notation: returns the number
// of components, 1 to 3, or 0 if the text is not one.  After the last
// number only the notation's next mark, or the mark that closes the
// seconds, may stand.  Notations not in allowed (a set of 1 << Notation
// bits) are refused, and the degree mark o but for a declination.
inline int read_sexagesimal(const char *s, unsigned allowed, bool declination, double v[3], Notation *notation)
{
	const char *p;
	*notation = NUMBER;
	if (!read_unsigned(s, &v[0], &p))
		return 0;
	if (*p == '\0')
		return 1;
	// The notation whose first mark stands after the first number: each
	// begins with a byte of its own.
	Notation n = NUMBER;
	switch (*p) {
	case 'h': n = HOURS; break;
	case 'o': case '\xc2': n = DEGREES; break;
	case 'd': n = LETTERS; break;
	case ':': n = COLONS; break;
	case ' ': n = BLANKS; break;
	}
	size_t m = 0;
	if (n != NUMBER && (allowed & 1u << n) && !(n == DEGREES && !declination && *p == 'o'))
		m = mark_at(n, 0, p);
	if (m == 0)
		return 0;
	*notation = n;
	switch (n) {
	case HOURS: return read_after_mark<HOURS>(p, m, v);
	case DEGREES: return read_after_mark<DEGREES>(p, m, v);
	case LETTERS: return read_after_mark<LETTERS>(p, m, v);
	case COLONS: return read_after_mark<COLONS>(p, m, v);
	case BLANKS: return read_after_mark<BLANKS>(p, m, v);
	case NUMBER: break;
	}
	return 0;
}

// Why the catalogue reading refuses a text read as the n components v of
// the value: minutes or seconds of more than 60 (SIXTY), then a value
// outside lo to hi (outside); null if neither.  Exactly 60, as catalogues
// that round their seconds write it (00:32:60.00), is read as written.
inline const char *refused_value(const double v[3], int n, double value, double lo, double hi, const char *outside)
{
	if ((n >= 2 && v[1] > 60) || (n == 3 && v[2] > 60))
		return SIXTY;
	if (!(value >= lo && value <= hi))
		return outside;
	return nullptr;
}

// Right ascension text to radians in *radians.
//
// The first release's reading (MARKS): H, HhM or HhMmS with an optional
// closing s, the first number hours whatever mark follows it, and the text
// after the last number read ignored; LEADING: the number at its front.
// No range is imposed.
//
// The catalogue reading: 12h30m36s, 12:30:36, 12 30 36, or a decimal
// number that read_number() reads whole (+3, 4.5e1), read whole; in hours,
// or in degrees for a number with reading.degrees and for the marks
// 37°57′16″ (only with reading.degrees); a number with
// reading.unit_needed is refused, as it says no unit.  Minutes and seconds
// are at most 60 and the value within 0 to 24 hours, or 0 to 360 degrees,
// in the unit it was read in.
//
// Returns false for a text refused: with *reason null for one that is not
// a right ascension, or whose value is not finite in radians, or the
// reason why one read is refused.
inline bool get_ra(const char *text, const Reading &reading, double *radians, const char **reason)
{
	*reason = nullptr;
	double v[3];
	int n = 1;
	bool in_degrees = false, plain = false;
	if (reading.kind == Reading::LEADING) {
		v[0] = read_decimal(text, nullptr);
	} else if (reading.kind == Reading::MARKS) {
		n = first_release(text, "0123456789.hms", 'h', 'm', v);
	} else {
		unsigned allowed = 1u << HOURS | 1u << COLONS | 1u << BLANKS | (reading.degrees ? 1u << DEGREES : 0);
		Notation notation;
		n = read_sexagesimal(text, allowed, false, v, &notation);
		if (n == 0) {
			n = read_number(text, &v[0]);
			notation = NUMBER;
		}
		in_degrees = notation == NUMBER ? reading.degrees : notation == DEGREES;
		plain = notation == NUMBER;
	}
	if (n == 0)
		return false;
	double value = sexagesimal(v, n);
	*radians = in_degrees ? deg_to_rad(value) : hours_to_rad(value);
	if (!std::isfinite(*radians))
		return false;
	if (plain && reading.unit_needed)
		*reason = NO_UNIT;
	else if (reading.kind == Reading::CATALOGUE)
		*reason = in_degrees ? refused_value(v, n, value, 0, 360, OUTSIDE_DEGREES)
		                     : refused_value(v, n, value, 0, 24, OUTSIDE_HOURS);
	return *reason == nullptr;
}

// Declination text to radians in *radians, from signed degrees, with one
// optional sign in front, which applies to every component.
//
// The first release's reading (MARKS): D, DoM or DoM'S with an optional
// closing double quote; LEADING: the number at its front.  No range is
// imposed.
//
// The catalogue reading: 16o42'58", 16°42′58″ (or ' and "), 16d42m58s,
// 16:42:58, 16 42 58, or a decimal number that read_number() reads whole
// (-4.5e1), read whole.  Minutes and seconds are at most 60 and the value
// within -90 to 90 degrees.
//
// Refused as a right ascension is.
inline bool get_dec(const char *text, const Reading &reading, double *radians, const char **reason);

// An angle in degrees written as a declination is, to radians in
// *radians, within lo to hi degrees (outside the reason if not); refused
// as a declination is.
inline bool get_degrees(const char *text, const Reading &reading, double lo, double hi, const char *outside,
                        double *radians, const char **reason)
{
	*reason = nullptr;
	double v[3];
	int n = 1;
	const char *s = text;
	bool south = false;
	if (reading.kind != Reading::LEADING && (*s == '+' || *s == '-'))
		south = *s++ == '-';
	if (reading.kind == Reading::LEADING) {
		v[0] = read_decimal(text, nullptr);
	} else if (reading.kind == Reading::MARKS) {
		n = first_release(s, "0123456789.o'\"", 'o', '\'', v);
	} else {
		Notation notation;
		n = read_sexagesimal(s, 1u << DEGREES | 1u << LETTERS | 1u << COLONS | 1u << BLANKS, true, v, &notation);
		if (n == 0) {
			n = read_number(text, &v[0]); // the sign is the number's own
			south = false;
		}
	}
	if (n == 0)
		return false;
	double degrees = sexagesimal(v, n);
	// Times -1 is the negation, bit for bit, without a branch: north and
	// south are as likely as each other.
	degrees *= south ? -1.0 : 1.0;
	*radians = deg_to_rad(degrees);
	if (!std::isfinite(*radians))
		return false;
	if (reading.kind == Reading::CATALOGUE)
		*reason = refused_value(v, n, degrees, lo, hi, outside);
	return *reason == nullptr;
}

inline bool get_dec(const char *text, const Reading &reading, double *radians, const char **reason)
{
	return get_degrees(text, reading, -90, 90, OUTSIDE_DECLINATION, radians, reason);
}

// The texts l and b of a galactic position, in degrees in any notation of
// a declination, l from 0 to 360 and b from -90 to 90, to radians, *lon
// and *lat, or the refusal of the first that is refused, l first.
inline bool get_galactic(const char *l, const char *b, const Reading &reading, double *lon, double *lat,
                         Refusal &refusal)
{
	const char *reason;
	if (!get_degrees(l, reading, 0, 360, OUTSIDE_DEGREES, lon, &reason))
		return refuse(refusal, "galactic longitude", l, reason);
	if (!get_dec(b, reading, lat, &reason))
		return refuse(refusal, "galactic latitude", b, reason);
	return true;
}

// The texts ra and dec to a position in radians, *alpha and *delta, or the
// refusal of the first that is refused, right ascension first.
inline bool get_position(const char *ra, const char *dec, const Reading &reading, double *alpha, double *delta,
                         Refusal &refusal)
{
	const char *reason;
	if (!get_ra(ra, reading, alpha, &reason))
		return refuse(refusal, "right ascension", ra, reason);
	if (!get_dec(dec, reading, delta, &reason))
		return refuse(refusal, "declination", dec, reason);
	return true;
}

#endif
