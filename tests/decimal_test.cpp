// The programs' own decimal conversions against the C library's:
// format_fixed writes each double as printf writes it, read_decimal reads
// each text as strtod reads it, and read_integer as strtoll does, on
// generated sets.  The doubles hold
// every exact tie of the printed decimals within a turn either side of 0,
// and their neighbours: a tie of d decimals is an odd multiple of
// 2^-(d+1), so the multiples of 1/128 hold them all for 0 to 6 decimals,
// and the multiples of 1/1024 near 0 those of 7 to 9.
//
// format_hms and format_dms write the colon notations as the exact value
// worked out in decimal does (same_sexagesimal), near each kind of carry:
// at k decimals of a second a tie is an odd multiple of 2^-(5+k) hours or
// degrees, none of them at a carry, so the doubles nearest the halves
// below the carries are checked, with the ties nearest those.
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

// format_hms and format_dms with decimals.
static void check_sexagesimal(double v, int decimals)
{
	Report report;
	count(same_sexagesimal(v, decimals, report), report);
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
	// The colon notations near the carries into seconds, minutes, hours,
	// 24 hours and degrees, and some other seconds, at each decimals k of
	// a second: the double nearest the half below the carry, the exact
	// ties j / 2^(5+k) nearest it, and the neighbours of each, either side
	// of 0, with k decimals of a second of time and of arc.
	Random rs{3600};
	std::vector<long> carries{1, 60, 120, 1800, 3540, 86400 - 60, 86400 - 120, 90 * 3600 - 60};
	for (long degrees = 0; degrees <= 90; degrees++)
		carries.push_back(degrees * 3600);
	for (int i = 0; i < 30; i++)
		carries.push_back(rs.below(90 * 3600));
	for (long seconds : carries)
		for (int k = 0; k <= DECIMALS_MAX; k++) {
			// the half below the carry, 2 last - 1 over 2 unit, both exact
			// doubles, and the odd multiples of 2^-(5+k) either side
			long long last = seconds * static_cast<long long>(POW10[k]);
			long long unit = 3600 * static_cast<long long>(POW10[k]);
			long long below = (static_cast<long long>(seconds) << (5 + k)) / 3600;
			double tie = std::ldexp(static_cast<double>(below - 1 + (below & 1)), -(5 + k));
			for (double v : {static_cast<double>(2 * last - 1) / static_cast<double>(2 * unit), tie,
			                 tie + std::ldexp(2, -(5 + k))})
				for (double w : {v, -v})
					for (double x : {w, std::nextafter(w, -INFINITY), std::nextafter(w, INFINITY)}) {
						check_sexagesimal(x, k);
						if (k < DECIMALS_MAX)
							check_sexagesimal(x, k + 1);
					}
		}

	// Zeros, the smallest values, the edge of the direct path, and what
	// printf writes itself.
	for (double v : {0.0, -0.0, 0x1p-1074, -0x1p-1074, 0x1p-1022, 0x1p-60, 0x1p31 - 0x1p-22, 0x1p31,
	                 1e300, -1e300, -DBL_MAX, double{INFINITY}, double{-INFINITY}, double{NAN}, double{-NAN}}) {
		check_fixed(v);
		for (int decimals = 0; decimals <= DECIMALS_MAX; decimals++)
			check_sexagesimal(v, decimals);
	}
	// The ends of the colon notations' spans, and tiny negatives.
	for (double v : {24.0, std::nextafter(24.0, 0.0), 24 - 1e-12, 90.0, -90.0, std::nextafter(90.0, 0.0),
	                 std::nextafter(-90.0, 0.0), -1e-300, -1e-12, -0x1p-60, 359.99999999999, 0x1p20,
	                 std::nextafter(0x1p20, 0.0), -std::nextafter(0x1p20, 0.0)})
		for (int decimals = 0; decimals <= DECIMALS_MAX; decimals++)
			check_sexagesimal(v, decimals);
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
		// right ascensions, declinations, all scales and any exponent, in
		// turn at each decimals, from a generator of their own
		if (i % 4 == 0) {
			int decimals = i / 4 % (DECIMALS_MAX + 1);
			check_sexagesimal(rs.uniform(0, 24), decimals);
			check_sexagesimal(rs.uniform(-90, 90), decimals);
			check_sexagesimal(std::copysign(std::pow(10, rs.uniform(-12, 3)), rs.uniform(-1, 1)), decimals);
			bits = (rs.next() & 0x800fffffffffffffu) | static_cast<uint64_t>(rs.below(1044)) << 52;
			std::memcpy(&v, &bits, sizeof v);
			check_sexagesimal(v, decimals);
		}
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
