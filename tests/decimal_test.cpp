// The programs' own decimal conversions against the C library's:
// format_fixed writes each double as printf writes it, read_decimal reads
// each text as strtod reads it, and read_integer as strtoll does, on
// generated sets.  The doubles hold
// every exact tie of the printed decimals within a turn either side of 0,
// and their neighbours: a tie of d decimals is an odd multiple of
// 2^-(d+1), so the multiples of 1/128 hold them all for 0 to 6 decimals,
// and the multiples of 1/1024 near 0 those of 7 to 9.
//
// usage: decimal_test [count]     (random cases of each kind; default 20000)
#include "decimal.hpp"
#include "random.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static int checked, failed;

// format_fixed against printf for v, in every decimals it takes, in the
// width that precession gives them (decimals + 4) or none.
static void check_fixed(double v)
{
	for (int decimals = 0; decimals <= DECIMALS_MAX; decimals++) {
		int width = decimals % 2 ? decimals + 4 : 0;
		char want[400], got[FIXED_MAX];
		std::snprintf(want, sizeof want, "%*.*f", width, decimals, v);
		size_t length = format_fixed(got, v, width, decimals);
		checked++;
		if (length == std::strlen(want) && std::memcmp(got, want, length) == 0)
			continue;
		if (++failed <= 10)
			std::printf("FAIL: %a as %%%d.%df: want [%s] got [%.*s]\n", v, width, decimals, want,
			            static_cast<int>(length), got);
	}
}

// read_decimal against strtod for the text s: the same bits, or both nan,
// and the same end.
static void check_read(const std::string &s)
{
	char *want_end, *got_end;
	double want = std::strtod(s.c_str(), &want_end), got = read_decimal(s.c_str(), &got_end);
	checked++;
	bool same = std::isnan(want) ? std::isnan(got) : std::memcmp(&want, &got, sizeof want) == 0;
	if (same && want_end == got_end)
		return;
	if (++failed <= 10)
		std::printf("FAIL: [%s]: want %a ending at %td, got %a ending at %td\n", s.c_str(), want,
		            want_end - s.c_str(), got, got_end - s.c_str());
}

// read_integer against strtoll in base 10 for the text s: the same value
// and the same end.
static void check_integer(const std::string &s)
{
	char *want_end, *got_end;
	long long want = std::strtoll(s.c_str(), &want_end, 10), got = read_integer(s.c_str(), &got_end);
	checked++;
	if (want == got && want_end == got_end)
		return;
	if (++failed <= 10)
		std::printf("FAIL: [%s]: want %lld ending at %td, got %lld ending at %td\n", s.c_str(), want,
		            want_end - s.c_str(), got, got_end - s.c_str());
}

// A text of digits with an optional sign, point and suffix, with up to 20
// digits on each side of the point.
static std::string number_text(Random &r)
{
	static const char *const suffixes[] = {"", "", "", "e5", "E-3", "e", "x", "h", "o", "'", ".", "1e400"};
	std::string s = r.below(4) == 0 ? "-" : r.below(8) == 0 ? "+" : "";
	for (int n = r.below(r.below(2) ? 21 : 8); n > 0; n--)
		s += static_cast<char>('0' + r.below(10));
	if (r.below(3) != 0) {
		s += '.';
		for (int n = r.below(r.below(2) ? 26 : 8); n > 0; n--)
			s += static_cast<char>('0' + r.below(10));
	}
	return s + suffixes[r.below(sizeof suffixes / sizeof *suffixes)];
}

int main(int argc, char *argv[])
{
	int count = argc > 1 ? std::atoi(argv[1]) : 20000;
	Random r{2000};

	// Every multiple of 1/128 within a turn either side of 0, and its
	// neighbours on both sides.
	for (int k = -360 * 128; k <= 360 * 128; k++) {
		double v = k / 128.0;
		check_fixed(v);
		check_fixed(std::nextafter(v, -INFINITY));
		check_fixed(std::nextafter(v, INFINITY));
	}
	for (int k = -4 * 1024; k <= 4 * 1024; k++) {
		double v = k / 1024.0;
		check_fixed(v);
		check_fixed(std::nextafter(v, -INFINITY));
		check_fixed(std::nextafter(v, INFINITY));
	}
	// Zeros, the smallest values, the edge of the direct path, and what
	// printf writes itself.
	for (double v : {0.0, -0.0, 0x1p-1074, -0x1p-1074, 0x1p-1022, 0x1p-60, 0x1p31 - 0x1p-22, 0x1p31,
	                 1e300, -1e300, -DBL_MAX, double{INFINITY}, double{-INFINITY}, double{NAN}, double{-NAN}})
		check_fixed(v);
	for (int i = 0; i < count; i++) {
		check_fixed(r.uniform(-720, 720));                           // angles
		check_fixed(std::copysign(std::pow(10, r.uniform(-12, 3)), r.uniform(-1, 1))); // all scales
		double edge = std::round(r.uniform(0, 360) * 1e6) / 1e6 + 5e-7; // near a rounding edge
		check_fixed(r.below(2) ? std::nextafter(edge, INFINITY) : std::nextafter(edge, -INFINITY));
		// any sign and significand, and any exponent up to 2^30
		uint64_t bits = (r.next() & 0x800fffffffffffffu) | static_cast<uint64_t>(r.below(1054)) << 52;
		double v;
		std::memcpy(&v, &bits, sizeof v);
		check_fixed(v);
	}

	// Texts that take the direct path and texts that fall back to strtod.
	for (const char *s : {"", ".", "+", "-", "-.", "+.5", "5.", "-0", "0.000", "1.2.3", " 5", "\t-5", "inf",
	                      "-nan", "0x1p3", "0X10", "00000000000000000001", "123456789012345",
	                      "1234567890123456", "0.0000000000000000000001", "0.00000000000000000000001",
	                      "9007199254740993", "999999999999999.9"})
		check_read(s);
	for (int i = 0; i < count; i++)
		check_read(number_text(r));

	// Integers of every length around the 18 digits read directly, and
	// texts that are left to strtoll.
	for (const char *s : {"", "+", "-", " 5", "x", "2050.7", "0x802", "9223372036854775807", "9223372036854775808",
	                      "-9223372036854775808", "-9223372036854775809"})
		check_integer(s);
	for (int i = 0; i < count; i++) {
		std::string s = number_text(r);
		check_integer(s);
		check_integer(s.substr(0, s.find('.')));
	}

	std::printf("%d passed, %d failed\n", checked - failed, failed);
	return failed != 0;
}
