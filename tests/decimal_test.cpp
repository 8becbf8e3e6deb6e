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
//        decimal_test --corpus DIR (writes the texts below as seeds of fuzz_decimal)
#include "decimal.hpp"
#include "random.hpp"
#include "same_conversions.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

static int checked, failed;

// Counts the check, and reports the first ten that fail.
static void count(bool same, const Report &report)
{
	checked++;
	if (!same && ++failed <= 10)
		std::printf("FAIL: %s\n", report.text);
}

// format_fixed in every decimals it takes, in the width that precession
// gives them (decimals + 4) or none.
static void check_fixed(double v)
{
	Report report;
	for (int decimals = 0; decimals <= DECIMALS_MAX; decimals++) {
		int width = decimals % 2 ? decimals + 4 : 0;
		count(same_fixed(v, width, decimals, report), report);
	}
}

static void check_read(const std::string &s)
{
	Report report;
	count(same_read(s.c_str(), report), report);
}

static void check_integer(const std::string &s)
{
	Report report;
	count(same_integer(s.c_str(), report), report);
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

// The fixed texts that read_decimal and read_integer are checked on.
static const char *const READ_TEXTS[] = {"", ".", "+", "-", "-.", "+.5", "5.", "-0", "0.000", "1.2.3", " 5", "\t-5",
                                         "inf", "-nan", "0x1p3", "0X10", "00000000000000000001", "123456789012345",
                                         "1234567890123456", "0.0000000000000000000001",
                                         "0.00000000000000000000001", "9007199254740993", "999999999999999.9"};
static const char *const INTEGER_TEXTS[] = {"",       "+",     "-",
                                            " 5",     "x",     "2050.7",
                                            "0x802",  "9223372036854775807", "9223372036854775808",
                                            "-9223372036854775808", "-9223372036854775809"};

// Writes the fixed texts and a hundred generated ones into the folder dir,
// one file each.  Returns 0, or 2 if one cannot be written.
static int write_seeds(const char *dir, Random &r)
{
	std::vector<std::string> texts(std::begin(READ_TEXTS), std::end(READ_TEXTS));
	texts.insert(texts.end(), std::begin(INTEGER_TEXTS), std::end(INTEGER_TEXTS));
	for (int i = 0; i < 100; i++)
		texts.push_back(number_text(r));
	for (size_t i = 0; i < texts.size(); i++) {
		std::string path = std::string(dir) + "/table-" + std::to_string(i);
		FILE *f = std::fopen(path.c_str(), "wb");
		if (f == nullptr || std::fwrite(texts[i].data(), 1, texts[i].size(), f) != texts[i].size() ||
		    std::fclose(f) != 0) {
			std::perror(path.c_str());
			return 2;
		}
	}
	return 0;
}

int main(int argc, char *argv[])
{
	Random r{2000};
	if (argc == 3 && std::strcmp(argv[1], "--corpus") == 0)
		return write_seeds(argv[2], r);
	int count = argc > 1 ? std::atoi(argv[1]) : 20000;

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
	for (const char *s : READ_TEXTS)
		check_read(s);
	for (int i = 0; i < count; i++)
		check_read(number_text(r));

	// Integers of every length around the 18 digits read directly, and
	// texts that are left to strtoll.
	for (const char *s : INTEGER_TEXTS)
		check_integer(s);
	for (int i = 0; i < count; i++) {
		std::string s = number_text(r);
		check_integer(s);
		check_integer(s.substr(0, s.find('.')));
	}

	std::printf("%d passed, %d failed\n", checked - failed, failed);
	return failed != 0;
}
