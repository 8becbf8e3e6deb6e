// Decimal numbers read as strtod reads them and written as printf writes
// them, byte for byte, without their general machinery in the common
// cases, and a result line built in place.  A catalogue of positions
// spends most of its time in these conversions.
#ifndef DECIMAL_HPP
#define DECIMAL_HPP

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

// Reads the number at s as strtod(s, end) does and returns it.  The common
// form, an optional sign, digits with an optional point, at most 15 of them
// significant and no exponent, is read directly: its digits make an integer
// below 2^53, which a double holds exactly, and one division by an exact
// power of ten rounds the quotient correctly, as strtod rounds.  Any other
// text (blanks in front, an exponent, hexadecimal, inf, nan, more digits)
// is left to strtod.  end may be null.
inline double read_decimal(const char *s, char **end)
{
	const char *p = s;
	bool minus = *p == '-';
	if (*p == '-' || *p == '+')
		p++;
	uint64_t digits = 0; // wraps past 20 digits, and is then not used
	int significant = 0, decimals = 0;
	bool any = false, point = false;
	for (;; p++) {
		if (*p >= '0' && *p <= '9') {
			digits = digits * 10 + static_cast<uint64_t>(*p - '0');
			significant += digits != 0;
			decimals += point;
			any = true;
		} else if (*p == '.' && !point) {
			point = true;
		} else {
			break;
		}
	}
	if (!any || significant > 15 || decimals > 22 || *p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')
		return std::strtod(s, end);
	if (end)
		*end = const_cast<char *>(p);
	double v = static_cast<double>(digits) / EXACT_POW10[decimals];
	return minus ? -v : v;
}

// The powers of ten that put_fixed scales by.
constexpr uint64_t POW10[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// |v| times 10^decimals, rounded to an integer as printf rounds it: to the
// nearest, an exact tie to the even one.  Needs |v| < 2^31 and decimals 0
// to 6.  |v| is m / 2^s exactly, with m its significand (below 2^53) and
// s at least 22, so the product is m * 10^decimals / 2^s.  Its numerator,
// below 2^73, is kept as hi * 2^64 + lo; the quotient by 2^(s-1) is the
// integer and, in its last bit, whether the rest is at least a half.
inline uint64_t scaled_decimal(double v, int decimals)
{
	uint64_t bits;
	std::memcpy(&bits, &v, sizeof bits);
	int exponent = static_cast<int>(bits >> 52 & 0x7ff);
	uint64_t m = bits & ((uint64_t{1} << 52) - 1);
	if (exponent != 0)
		m |= uint64_t{1} << 52;
	else
		exponent = 1; // subnormal
	int s = 1075 - exponent;
	if (s > 73) // the numerator is below 2^73, so less than half of 2^s
		return 0;
	uint64_t t = POW10[decimals];
	uint64_t a = (m & 0xffffffff) * t, b = (m >> 32) * t; // m * t = b * 2^32 + a
	uint64_t lo = a + (b << 32), hi = (b >> 32) + (lo < a);
	int w = s - 1;
	uint64_t halves, rest; // the numerator divided by 2^w, and what remains
	if (w < 64) {
		halves = lo >> w | hi << (64 - w);
		rest = lo & ((uint64_t{1} << w) - 1);
	} else {
		halves = hi >> (w - 64);
		rest = lo | (hi & ((uint64_t{1} << (w - 64)) - 1));
	}
	uint64_t n = halves >> 1;
	if ((halves & 1) && (rest != 0 || (n & 1)))
		n++;
	return n;
}

// A result line, built without the heap and without formatted output.
// The room holds the longest number that put_fixed can write, twice.
struct Line {
	char text[800];
	size_t length = 0;
};

// Appends the text s.
inline void put(Line &line, const char *s)
{
	size_t n = std::strlen(s);
	std::memcpy(line.text + line.length, s, n);
	line.length += n;
}

// Writes the digits of n, at least min_digits of them with zeros in front,
// to end of a buffer from the right and returns where they begin.
inline char *digits_before(char *end, uint64_t n, int min_digits)
{
	do {
		*--end = static_cast<char>('0' + n % 10);
		n /= 10;
	} while (--min_digits > 0 || n != 0);
	return end;
}

// Writes the integer v as "%d" writes it into buf and returns the end.
inline char *format_int(char *buf, int v)
{
	char tmp[16], *end = tmp + sizeof tmp;
	uint64_t n = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
	char *p = digits_before(end, n, 1);
	if (v < 0)
		*--p = '-';
	size_t len = static_cast<size_t>(end - p);
	std::memcpy(buf, p, len);
	return buf + len;
}

// Appends v as printf writes it with "%*.*f" and width and decimals (0 to
// 6): to the nearest, an exact tie to even, a minus for any negative value
// however small and for -0, and blanks in front up to width.  Angles are
// written directly; a value beyond 2^31, infinity and nan by printf.
inline void put_fixed(Line &line, double v, int width, int decimals)
{
	char *at = line.text + line.length;
	if (!(std::fabs(v) < 0x1p31)) {
		int n = std::snprintf(at, sizeof line.text - line.length, "%*.*f", width, decimals, v);
		line.length += static_cast<size_t>(n);
		return;
	}
	uint64_t n = scaled_decimal(v, decimals);
	char tmp[40], *end = tmp + sizeof tmp, *p = end;
	if (decimals > 0) {
		p = digits_before(p, n % POW10[decimals], decimals);
		*--p = '.';
	}
	p = digits_before(p, n / POW10[decimals], 1);
	if (std::signbit(v))
		*--p = '-';
	size_t len = static_cast<size_t>(end - p);
	size_t blanks = static_cast<int>(len) < width ? static_cast<size_t>(width) - len : 0;
	std::memset(at, ' ', blanks);
	std::memcpy(at + blanks, p, len);
	line.length += blanks + len;
}

#endif
