// The checks that the programs' decimal conversions give what the C
// library's give, for decimal_test and fuzz_decimal: each compares one
// case and, when they differ, writes what each gave into report.
#ifndef SAME_CONVERSIONS_HPP
#define SAME_CONVERSIONS_HPP

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decimal.hpp"

// A report of a difference, for a message.
struct Report {
	char text[FIXED_MAX * 2 + 64];
};

// read_decimal against strtod for the text s: the same bits, or both nan,
// and the same end.
inline bool same_read(const char *s, Report &report)
{
	char *want_end, *got_end;
	double want = std::strtod(s, &want_end), got = read_decimal(s, &got_end);
	bool same = std::isnan(want) ? std::isnan(got) : std::memcmp(&want, &got, sizeof want) == 0;
	if (same && want_end == got_end)
		return true;
	std::snprintf(report.text, sizeof report.text, "read_decimal [%s]: want %a ending at %td, got %a ending at %td",
	              s, want, want_end - s, got, got_end - s);
	return false;
}

// read_integer against strtoll in base 10 for the text s: the same value
// and the same end.
inline bool same_integer(const char *s, Report &report)
{
	char *want_end, *got_end;
	long long want = std::strtoll(s, &want_end, 10), got = read_integer(s, &got_end);
	if (want == got && want_end == got_end)
		return true;
	std::snprintf(report.text, sizeof report.text,
	              "read_integer [%s]: want %lld ending at %td, got %lld ending at %td", s, want, want_end - s, got,
	              got_end - s);
	return false;
}

// format_fixed against printf's "%*.*f" for v, width and decimals.
inline bool same_fixed(double v, int width, int decimals, Report &report)
{
	char want[FIXED_MAX + 8], got[FIXED_MAX];
	std::snprintf(want, sizeof want, "%*.*f", width, decimals, v);
	size_t length = format_fixed(got, v, width, decimals);
	if (length == std::strlen(want) && std::memcmp(got, want, length) == 0)
		return true;
	std::snprintf(report.text, sizeof report.text, "format_fixed %a as %%%d.%df: want [%s] got [%.*s]", v, width,
	              decimals, want, static_cast<int>(length), got);
	return false;
}

#endif
