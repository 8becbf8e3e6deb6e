// Right ascensions and declinations written in colon notation, as
// precession --sexagesimal writes them: 12:29:06.699 and +02:03:08.16.
// Each text is the double's exact value rounded once, to the last decimal
// shown, to the nearest and an exact tie to the even one, as printf rounds,
// with the carries that follow into seconds, minutes, hours and degrees.
#ifndef PRECESSION_SEXAGESIMAL_HPP
#define PRECESSION_SEXAGESIMAL_HPP

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "decimal.hpp"

// The room that format_hms and format_dms need: a sign, 7 digits of hours
// or degrees, ":MM:SS", a point and 9 decimals.  No NUL is written.
constexpr size_t SEXAGESIMAL_MAX = 24;

// The magnitude, in hours or degrees, from which a value is not written:
// below it the count of the last decimal shown is below 2^62 and its whole
// seconds below 2^32.
constexpr double SEXAGESIMAL_LIMIT = 0x1p20;

// 3600 * 10^k is 225 * 5^k * 2^(4 + k): its odd part for k from 0 to
// DECIMALS_MAX, below 2^29, for scaled_integer() of decimal.hpp.
constexpr uint32_t ODD_OF_3600_POW10[DECIMALS_MAX + 1] = {225,    1125,    5625,     28125,    140625,
                                                         703125, 3515625, 17578125, 87890625, 439453125};

// Writes sign (none if 0), units (two digits at least), then seconds
// (below 3600) as :MM:SS, then fraction as decimals (0 to DECIMALS_MAX)
// digits after a point, into buf, and returns the length.
inline size_t write_sexagesimal(char *buf, char sign, uint32_t units, uint32_t seconds, uint32_t fraction,
                                int decimals)
{
	char *p = buf;
	if (sign != 0)
		*p++ = sign;
	if (units < 100) {
		std::memcpy(p, DIGIT_PAIRS + 2 * units, 2);
		p += 2;
	} else {
		p += digit_count(units);
		digits_before(p, units, digit_count(units));
	}
	p[0] = ':';
	std::memcpy(p + 1, DIGIT_PAIRS + 2 * (seconds / 60), 2);
	p[3] = ':';
	std::memcpy(p + 4, DIGIT_PAIRS + 2 * (seconds % 60), 2);
	p += 6;
	if (decimals > 0) {
		*p = '.';
		p += 1 + decimals;
		digits_before(p, fraction, decimals);
	}
	return static_cast<size_t>(p - buf);
}

// Writes the text of a value not written, sign (none if 0) and asterisks
// in place of the digits, "**:**:**.***" with 3 decimals, into buf and
// returns the length.
inline size_t write_sexagesimal_overflow(char *buf, char sign, int decimals)
{
	char *p = buf;
	if (sign != 0)
		*p++ = sign;
	size_t length = 8 + (decimals > 0 ? static_cast<size_t>(decimals) + 1 : 0);
	std::memcpy(p, "**:**:**.*********", length);
	return static_cast<size_t>(p - buf) + length;
}

// Writes a right ascension, hours (0 to 24), as HH:MM:SS with decimals (0
// to DECIMALS_MAX) decimals of a second of time, "12:29:06.699" with 3,
// into buf, of SEXAGESIMAL_MAX bytes, and returns its length.  A value
// that rounds to 24:00:00 is written 00:00:00, and any other is taken
// modulo 24 hours likewise, exactly: -1e-6 is 23:59:59.996.  A value of
// 2^20 hours or more in magnitude, and nan, is written with asterisks in
// place of its digits, "**:**:**.***".
inline size_t format_hms(char *buf, double hours, int decimals)
{
	if (!(std::fabs(hours) < SEXAGESIMAL_LIMIT))
		return write_sexagesimal_overflow(buf, 0, decimals);
	uint64_t n = scaled_integer(hours, ODD_OF_3600_POW10[decimals], 4 + decimals);
	if (std::signbit(hours)) {
		// Whole days less |hours|, as that is rounded: an exact tie of
		// |hours| is one of days less it, and goes to the even one either
		// way, as a day holds an even number of the last decimal.  A
		// whole day is 24:00:00, written 00:00:00 below.
		uint64_t day = 24 * 3600 * POW10[decimals];
		n = day - n % day;
	}
	uint64_t quotient = over_pow10(n, decimals);
	uint32_t seconds = static_cast<uint32_t>(quotient);
	uint32_t fraction = static_cast<uint32_t>(n - quotient * POW10[decimals]);
	return write_sexagesimal(buf, 0, seconds / 3600 % 24, seconds % 3600, fraction, decimals);
}

// Writes a declination, degrees (-90 to 90), as a sign, + or -, and
// DD:MM:SS with one decimal of a second of arc fewer than decimals (0 to
// DECIMALS_MAX), and none for 0 or 1 ("+02:03:08.16" with 3: a second of
// time is 15 of arc), into buf, of SEXAGESIMAL_MAX bytes, and returns its
// length.  The sign is that of the value, also for one that rounds to
// zero, and -0 is -00:00:00.  Correct for any value below 2^20 degrees in
// magnitude, with more digits of degrees from 100; beyond, and for nan,
// asterisks are written in place of the digits, "+**:**:**.**".
inline size_t format_dms(char *buf, double degrees, int decimals)
{
	int k = decimals > 1 ? decimals - 1 : 0;
	char sign = std::signbit(degrees) ? '-' : '+';
	if (!(std::fabs(degrees) < SEXAGESIMAL_LIMIT))
		return write_sexagesimal_overflow(buf, sign, k);
	uint64_t n = scaled_integer(degrees, ODD_OF_3600_POW10[k], 4 + k);
	uint64_t quotient = over_pow10(n, k);
	uint32_t seconds = static_cast<uint32_t>(quotient);
	uint32_t fraction = static_cast<uint32_t>(n - quotient * POW10[k]);
	return write_sexagesimal(buf, sign, seconds / 3600, seconds % 3600, fraction, k);
}

#endif
