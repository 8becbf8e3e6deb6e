// Decimal numbers read as strtod reads them and written as printf writes
// them, byte for byte, without their general machinery in the common
// cases.  A catalogue of positions spends most of its time in these
// conversions.
#ifndef COMMON_DECIMAL_HPP
#define COMMON_DECIMAL_HPP

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The reading below relies on each operation on doubles being rounded once,
// to double, as on x86-64 (SSE2), arm64, armhf (VFP) and riscv64.
static_assert(FLT_EVAL_METHOD == 0, "doubles must be computed in double precision");

// The powers of ten that a double holds exactly.
constexpr double EXACT_POW10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Whether c is a decimal digit.
inline bool is_digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Reads digits with an optional point at p, at most 15 digits in all and
// at least one, into *v, exactly as strtod reads them, and sets *end after
// them; returns false, with *v and *end unset, for any other text.  Their
// digits make an integer below 2^53, which a double holds exactly, and one
// division by an exact power of ten rounds the quotient correctly, as
// strtod rounds.
inline bool read_short(const char *p, double *v, const char **end)
{
	uint64_t digits = 0;
	const char *first = p;
	for (; is_digit(*p); p++)
		digits = digits * 10 + static_cast<uint64_t>(*p - '0');
	long count = p - first, decimals = 0;
	if (*p == '.') {
		const char *point = ++p;
		for (; is_digit(*p); p++)
			digits = digits * 10 + static_cast<uint64_t>(*p - '0');
		decimals = p - point;
		count += decimals;
	}
	if (count == 0 || count > 15)
		return false;
	*end = p;
	// Below 2^53, so exact as a signed integer too, which converts in one
	// step.  A whole number is its digits: dividing by 1 would change no bit.
	*v = static_cast<double>(static_cast<int64_t>(digits));
	if (decimals > 0)
		*v /= EXACT_POW10[decimals];
	return true;
}

// Reads the number at s as strtod(s, end) does and returns it.  The common
// form, an optional sign, digits with an optional point, at most 15 of them
// significant and no exponent, is read directly (read_short for a text of
// at most 15 digits in all, the usual one; a longer one again, with leading
// zeros not counted).  Any other text (blanks in front, an exponent,
// hexadecimal, inf, nan, more digits) is left to strtod.  end may be null.
inline double read_decimal(const char *s, char **end)
{
	const char *p = s;
	bool minus = *p == '-';
	if (*p == '-' || *p == '+')
		p++;
	const char *first = p, *after;
	double v;
	if (read_short(p, &v, &after) && (*after | 0x20) != 'e' && (*after | 0x20) != 'x') {
		if (end)
			*end = const_cast<char *>(after);
		return minus ? -v : v;
	}

	uint64_t digits = 0; // wraps past 20 digits, and is then not used
	long decimals = 0;
	p = first;
	// The whole part: its leading zeros, then the digits that count.
	const char *whole = p;
	while (*p == '0')
		p++;
	const char *counted = p;
	for (; *p >= '0' && *p <= '9'; p++)
		digits = digits * 10 + static_cast<uint64_t>(*p - '0');
	long significant = p - counted;
	bool any = p != whole;
	// The decimals: zeros that lead the whole number do not count either.
	if (*p == '.') {
		const char *point = ++p;
		if (digits == 0)
			while (*p == '0')
				p++;
		counted = p;
		for (; *p >= '0' && *p <= '9'; p++)
			digits = digits * 10 + static_cast<uint64_t>(*p - '0');
		significant += p - counted;
		decimals = p - point;
		any = any || decimals > 0;
	}
	if (!any || significant > 15 || decimals > 22 || *p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')
		return std::strtod(s, end);
	if (end)
		*end = const_cast<char *>(p);
	v = static_cast<double>(digits) / EXACT_POW10[decimals];
	return minus ? -v : v;
}

// Reads the text s whole as a decimal number that strtod reads, into *v:
// an optional sign, digits with an optional point, and an optional
// exponent (2.5, -4.5e1, 1e-06).  False if strtod reads none, stops before
// the end of s, or would skip white space in front of it, which is no part
// of a number written whole; and for the other numbers that strtod reads,
// hexadecimal (0x10), infinity and nan, which no catalogue writes for a
// coordinate, a motion or an epoch.
inline bool read_number(const char *s, double *v)
{
	const char *p = s + (*s == '-' || *s == '+');
	if (!is_digit(*p) && *p != '.')
		return false;
	if (p[0] == '0' && (p[1] | 0x20) == 'x')
		return false;
	char *end;
	*v = read_decimal(s, &end);
	return end != s && *end == '\0';
}

// Reads the integer at s as strtoll(s, end, 10) does and returns it.  The
// common form, an optional sign and 1 to 18 digits, is read directly, as
// it cannot overflow; any other text (blanks in front, no digits, more
// digits) is left to strtoll, which saturates.
inline long long read_integer(const char *s, char **end)
{
	const char *p = s + (*s == '-' || *s == '+');
	const char *digits = p;
	long long v = 0;
	while (*p >= '0' && *p <= '9' && p - digits < 18)
		v = v * 10 + (*p++ - '0');
	if (p == digits || (*p >= '0' && *p <= '9'))
		return std::strtoll(s, end, 10);
	*end = const_cast<char *>(p);
	return *s == '-' ? -v : v;
}

// The most decimals that format_fixed writes.
constexpr int DECIMALS_MAX = 9;
// The powers of ten that format_fixed scales by.
constexpr uint64_t POW10[DECIMALS_MAX + 1] = {1,      10,      100,      1000,      10000,
                                              100000, 1000000, 10000000, 100000000, 1000000000};

// n / 10^k, k from 0 to DECIMALS_MAX, by a constant divisor in each case,
// which the compiler turns into a multiplication: a 64-bit division by a
// number read from a table takes tens of cycles.
inline uint64_t over_pow10(uint64_t n, int k)
{
	switch (k) {
	case 1: return n / 10;
	case 2: return n / 100;
	case 3: return n / 1000;
	case 4: return n / 10000;
	case 5: return n / 100000;
	case 6: return n / 1000000;
	case 7: return n / 10000000;
	case 8: return n / 100000000;
	case 9: return n / 1000000000;
	}
	return n;
}

// |v| times odd * 2^twos, rounded to an integer: to the nearest, an exact
// tie to the even one, as printf rounds.  Needs twos >= 0, |v| * 2^twos <
// 2^51 and the result below 2^63.  |v| is m / 2^s exactly, with m its
// significand (below 2^53), so the product is m * odd / 2^(s-twos): its
// numerator, below 2^85, is kept as hi * 2^64 + lo (two 64-bit halves, as
// armhf has no 128-bit integer), and the quotient by 2^(s-twos-1) is the
// integer and, in its last bit, whether the rest is at least a half.
inline uint64_t scaled_integer(double v, uint32_t odd, int twos)
{
	uint64_t bits;
	std::memcpy(&bits, &v, sizeof bits);
	int exponent = static_cast<int>(bits >> 52 & 0x7ff);
	uint64_t m = bits & ((uint64_t{1} << 52) - 1);
	if (exponent != 0)
		m |= uint64_t{1} << 52;
	else
		exponent = 1; // subnormal
	int w = 1074 - exponent - twos; // at least 1, as |v| * 2^twos < 2^51
	if (w >= 85)                     // the numerator is below 2^85, so less than half of 2^(w+1)
		return 0;
	uint64_t a = (m & 0xffffffff) * odd, b = (m >> 32) * odd; // m * odd = b * 2^32 + a
	uint64_t lo = a + (b << 32), hi = (b >> 32) + (lo < a);
	uint64_t halves, rest; // the numerator divided by 2^w, and what remains
	if (w < 64) {
		halves = lo >> w | hi << (64 - w);
		rest = lo & ((uint64_t{1} << w) - 1);
	} else {
		halves = hi >> (w - 64);
		rest = lo | (hi & ((uint64_t{1} << (w - 64)) - 1));
	}
	uint64_t n = halves >> 1;
	// Without a branch: whether to round up is as likely as not.
	n += (halves & 1) & ((rest != 0) | (n & 1));
	return n;
}

// The powers of five of POW10: 10^k is 5^k * 2^k.
constexpr uint32_t POW5[DECIMALS_MAX + 1] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125};

// |v| times 10^decimals, rounded to an integer as printf rounds it: to the
// nearest, an exact tie to the even one.  Needs |v| < 2^31 and decimals 0
// to DECIMALS_MAX, so that the result is below 2^61.
inline uint64_t scaled_decimal(double v, int decimals) { return scaled_integer(v, POW5[decimals], decimals); }

// The two digits of each number from 0 to 99.
constexpr char DIGIT_PAIRS[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// The number of decimal digits of n, at least 1.
inline int digit_count(uint32_t n)
{
	int count = 1;
	for (; n >= 100; n /= 100)
		count += 2;
	return count + (n >= 10);
}

// Writes the digits of n, exactly count of them with zeros in front (count
// at least digit_count(n)), to end of a buffer from the right, two at a
// time, and returns where they begin.
inline char *digits_before(char *end, uint32_t n, int count)
{
	for (; count >= 2; count -= 2, n /= 100) {
		end -= 2;
		std::memcpy(end, DIGIT_PAIRS + 2 * (n % 100), 2);
	}
	if (count > 0)
		*--end = static_cast<char>('0' + n % 10);
	return end;
}

// Writes n, below 1000, as "%u" writes it, at p, and returns its end:
// its three digits in one word, little endian, shifted past the leading
// zeros without a branch on the length, as the lengths of a catalogue's
// numbers follow no pattern.  Writes 4 bytes at p, so up to 3 after the
// number's end.
inline char *small_digits(char *p, uint32_t n)
{
	static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first digit is the lowest byte");
	uint16_t pair;
	std::memcpy(&pair, DIGIT_PAIRS + 2 * (n % 100), 2);
	uint32_t skip = (n < 100) + (n < 10);
	uint32_t word = (static_cast<uint32_t>('0' + n / 100) | static_cast<uint32_t>(pair) << 8) >> (8 * skip);
	std::memcpy(p, &word, 4);
	return p + 3 - skip;
}

// Writes the integer v as "%d" writes it into buf and returns the end.
// Writes 3 bytes after the end at most.
inline char *format_int(char *buf, int v)
{
	uint32_t n = v < 0 ? 0 - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
	if (v < 0)
		*buf++ = '-';
	if (n < 1000)
		return small_digits(buf, n);
	char *end = buf + digit_count(n);
	digits_before(end, n, digit_count(n));
	return end;
}

// The room that format_fixed needs: "%.9f" of the largest double, 309
// digits, a point, 9 decimals and a sign, and the NUL.
constexpr size_t FIXED_MAX = 321;

// Writes v into buf, of FIXED_MAX bytes, as printf writes it with "%*.*f"
// and width (0 to 13) and decimals (0 to DECIMALS_MAX), and returns its
// length: to the nearest, an exact tie to even, a minus for any negative
// value however small and for -0, and blanks in front up to width.
// Angles are written directly; a value beyond 2^31, infinity and nan by
// printf.
inline size_t format_scaled(char *buf, uint64_t n, bool minus, int width, int decimals);

inline size_t format_fixed(char *buf, double v, int width, int decimals)
{
	if (!(std::fabs(v) < 0x1p31)) {
		int n = std::snprintf(buf, FIXED_MAX, "%*.*f", width, decimals, v);
		if (n < 0)
			return 0;
		return static_cast<size_t>(n) < FIXED_MAX ? static_cast<size_t>(n) : FIXED_MAX - 1;
	}
	return format_scaled(buf, scaled_decimal(v, decimals), std::signbit(v), width, decimals);
}

// Writes n units of the last of decimals (0 to DECIMALS_MAX) decimals,
// below 2^31 in all, and a minus before them if minus, into buf, of
// FIXED_MAX bytes, as format_fixed() writes the value they round, with
// blanks in front up to width (0 to 13); returns the length.
inline size_t format_scaled(char *buf, uint64_t n, bool minus, int width, int decimals)
{
	// The number's length, and so its blanks, are known first.  Below 2^31
	// and 10^9, both parts take 32 bits, in which dividing by 100 is
	// quicker.  The blanks, at most 13, are written as 16 first, and the
	// number over those beyond them; the whole part of an angle, below
	// 1000, by small_digits(), whose bytes after it the point and the
	// decimals overwrite.
	uint64_t quotient = over_pow10(n, decimals);
	uint32_t whole = static_cast<uint32_t>(quotient);
	int whole_digits = whole < 1000 ? 1 + (whole >= 10) + (whole >= 100) : digit_count(whole);
	size_t len = static_cast<size_t>(minus + whole_digits + (decimals > 0 ? decimals + 1 : 0));
	size_t blanks = static_cast<int>(len) < width ? static_cast<size_t>(width) - len : 0;
	if (blanks > 0)
		std::memcpy(buf, "                ", 16);
	char *p = buf + blanks;
	if (minus)
		*p++ = '-';
	if (whole < 1000)
		small_digits(p, whole);
	else
		digits_before(p + whole_digits, whole, whole_digits);
	p += whole_digits;
	if (decimals > 0) {
		*p = '.';
		digits_before(p + 1 + decimals, static_cast<uint32_t>(n - quotient * POW10[decimals]), decimals);
	}
	return blanks + len;
}

#endif
