// The checks that the programs' decimal conversions give what the C
// library's give, for decimal_test and fuzz_decimal: each compares one
// case and, when they differ, writes what each gave into report.  The
// colon notations are checked against the exact decimal value of the
// double that printf writes, in decimal arithmetic.
#ifndef SUPPORT_SAME_CONVERSIONS_HPP
#define SUPPORT_SAME_CONVERSIONS_HPP

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "decimal.hpp"
#include "sexagesimal.hpp"

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

// The digits of the integer text d times factor (below 10^8).
inline std::string decimal_times(const std::string &d, unsigned long factor)
{
	std::string product(d.size(), '0');
	unsigned long long carry = 0;
	for (size_t i = d.size(); i-- > 0;) {
		carry += static_cast<unsigned long long>(d[i] - '0') * factor;
		product[i] = static_cast<char>('0' + carry % 10);
		carry /= 10;
	}
	for (; carry > 0; carry /= 10)
		product.insert(product.begin(), static_cast<char>('0' + carry % 10));
	return product;
}

// What format_hms (hours) or format_dms writes for v and decimals, worked
// out in decimal: printf writes the exact value of |v| given as many
// decimals as it has, at most 53 - e for v = f 2^e with 0.5 <= f < 1 (as
// 2^-n has n), and 1074 at most; that is taken from 24 hours enough times
// for a negative right ascension, multiplied by 3600, rounded to the
// decimals of a second shown, an exact tie to even, and split.
inline std::string sexagesimal_oracle(double v, bool hours, int decimals)
{
	int k = hours ? decimals : decimals > 1 ? decimals - 1 : 0;
	std::string sign = hours ? "" : std::signbit(v) ? "-" : "+";
	if (!(std::fabs(v) < 0x1p20))
		return sign + std::string("**:**:**.*********", 8 + (k > 0 ? k + 1 : 0));
	int e;
	std::frexp(v, &e);
	char text[1200];
	std::snprintf(text, sizeof text, "%#.*f", e < 53 - 1074 ? 1074 : e > 53 ? 0 : 53 - e, std::fabs(v));
	const char *point = std::strchr(text, '.');
	std::string whole(text, static_cast<size_t>(point - text)), fraction(point + 1);
	fraction.resize(std::max(fraction.size(), static_cast<size_t>(k) + 1), '0');
	if (hours && std::signbit(v)) {
		// 24 c - |v| with c days, more than |v|: c 24 - whole - 1 and 1 -
		// 0.fraction, or c 24 - whole if the fraction is 0.
		long c = std::strtol(whole.c_str(), nullptr, 10) / 24 + 1;
		size_t last = fraction.find_last_not_of('0');
		long units = 24 * c - std::strtol(whole.c_str(), nullptr, 10);
		if (last != std::string::npos) {
			units--;
			for (size_t i = 0; i < last; i++)
				fraction[i] = static_cast<char>('9' - (fraction[i] - '0'));
			fraction[last] = static_cast<char>('0' + 10 - (fraction[last] - '0'));
		}
		whole = std::to_string(units);
	}
	// |v| 3600 10^k: its whole part, then its other decimals.
	std::string product = decimal_times(whole + fraction, 3600);
	size_t kept = product.size() - fraction.size() + static_cast<size_t>(k);
	std::string n = product.substr(0, kept);
	char next = product[kept];
	bool beyond = product.find_first_not_of('0', kept + 1) != std::string::npos;
	if (next > '5' || (next == '5' && (beyond || (n.back() - '0') % 2 == 1))) {
		size_t i = n.size();
		for (; i > 0 && n[i - 1] == '9'; i--)
			n[i - 1] = '0';
		if (i == 0)
			n.insert(n.begin(), '1');
		else
			n[i - 1]++;
	}
	unsigned long long seconds = std::strtoull(n.substr(0, n.size() - static_cast<size_t>(k)).c_str(), nullptr, 10);
	unsigned long long units = seconds / 3600;
	if (hours)
		units %= 24;
	char out[64];
	std::snprintf(out, sizeof out, "%s%02llu:%02llu:%02llu%s%s", sign.c_str(), units, seconds / 60 % 60, seconds % 60,
	              k > 0 ? "." : "", n.substr(n.size() - static_cast<size_t>(k)).c_str());
	return out;
}

// format_hms and format_dms against the decimal reckoning for v and
// decimals.
inline bool same_sexagesimal(double v, int decimals, Report &report)
{
	for (bool hours : {true, false}) {
		std::string want = sexagesimal_oracle(v, hours, decimals);
		char got[SEXAGESIMAL_MAX];
		size_t length = hours ? format_hms(got, v, decimals) : format_dms(got, v, decimals);
		if (length != want.size() || std::memcmp(got, want.data(), length) != 0) {
			std::snprintf(report.text, sizeof report.text, "%s %a (%.17g) with %d decimals: want [%s] got [%.*s]",
			              hours ? "format_hms" : "format_dms", v, v, decimals, want.c_str(),
			              static_cast<int>(length), got);
			return false;
		}
	}
	return true;
}

#endif
