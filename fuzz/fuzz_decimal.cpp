// libFuzzer target, differential: the programs' reading of numbers against
// the C library's on the same text (read_decimal and strtod, read_integer
// and strtoll), and their fixed-point writing against snprintf on the same
// double, for every width and number of decimals that the programs print
// with, and their colon notations against the double's exact value worked
// out in decimal, for every number of decimals.  Any difference aborts.
//
// The input is the text, up to its first NUL; its value, and the double
// whose bits are the input's first 8 bytes, are the doubles written.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "same_conversions.hpp"

// Aborts with the report unless same.
static void check(bool same, const Report &report)
{
	if (same)
		return;
	std::fprintf(stderr, "%s\n", report.text);
	std::abort();
}

// format_fixed for v at each width and number of decimals that skysep (no
// width) and precession (decimals + 4) print with, and format_hms and
// format_dms at each number of decimals.
static void check_written(double v)
{
	Report report;
	for (int decimals = 0; decimals <= DECIMALS_MAX; decimals++) {
		check(same_fixed(v, 0, decimals, report), report);
		check(same_fixed(v, decimals + 4, decimals, report), report);
		check(same_sexagesimal(v, decimals, report), report);
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	char text[512];
	size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
	std::memcpy(text, data, n);
	text[n] = '\0';
	Report report;
	check(same_read(text, report), report);
	check(same_integer(text, report), report);
	check_written(read_decimal(text, nullptr));
	if (size >= sizeof(double)) {
		double v;
		std::memcpy(&v, data, sizeof v);
		check_written(v);
	}
	return 0;
}
