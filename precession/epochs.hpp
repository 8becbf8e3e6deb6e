// precession's epochs: an epoch text read (a Julian epoch, 2026.94 or
// J2026.94, a date of UTC or a Julian Date, or the Besselian B1950, which
// means the FK4 system), the epochs that name the two systems, and time
// since J2000.0.  Whether a model takes an epoch is models.hpp's.  Uses
// dates.hpp and decimal.hpp.
#ifndef PRECESSION_EPOCHS_HPP
#define PRECESSION_EPOCHS_HPP

#include <cmath>
#include <cstdint>
#include <cstring>

#include "dates.hpp"
#include "decimal.hpp"

// An epoch: Julian, or B1950 in the FK4 system.
struct Epoch {
	bool besselian; // B1950: FK4 at B1950.0
	double julian;  // the Julian epoch in years (TT); B1950_JULIAN_EPOCH for B1950
	bool whole;     // a whole number of years, for the uniform model
	long long year; // then that year, saturated to 32 bits
};

// J2000.0, the epoch of the input positions unless --from says otherwise.
constexpr Epoch J2000 = {false, 2000, true, 2000};

// B1950.0 as a Julian Date (TT): 1950 - 1900 tropical years of
// 365.242198781 days after B1900.0, JD 2415020.31352 (the Explanatory
// Supplement to the Astronomical Almanac, 1992, section 3.59).
constexpr double B1950_JD = 2415020.31352 + (1950.0 - 1900) * 365.242198781;

// B1950.0 as a Julian epoch: 1949.9997904..., Julian years of 365.25
// days from J2000.0, JD 2451545.0.
constexpr double B1950_JULIAN_EPOCH = 2000 + (B1950_JD - J2000_JD) / JULIAN_YEAR_DAYS;

// Julian centuries of TT since J2000.0 at the Julian epoch (years).
inline double centuries_since_2000(double epoch) { return (epoch - 2000) / 100; }

// Whether a and b are the same epoch.
inline bool same_epoch(const Epoch &a, const Epoch &b)
{
	return a.besselian == b.besselian && a.julian == b.julian;
}

// Whether the epoch is J2000.0, which the models' matrices start from.
inline bool is_j2000(const Epoch &e) { return !e.besselian && e.julian == 2000; }

// The reasons after the text of a Besselian epoch other than B1950, and
// of a date not in the calendar.
constexpr const char *ONE_BESSELIAN = "not read: B1950 is the one Besselian epoch (FK4)";
constexpr const char *NOT_CALENDAR = "not a calendar date";

// The year y saturated to the 32-bit range, so that the years between two
// never overflow.
inline long long saturated(long long y) { return y > INT32_MAX ? INT32_MAX : y < INT32_MIN ? INT32_MIN : y; }

// An epoch text read whole.
//
// Given:
//    text     a date of UTC or a Julian Date of TT (read_date()); B1950,
//             with or without a point and zeros after it; or a Julian
//             epoch, a number that read_number() reads whole, with an
//             optional J before it, finite; letters upper case
// Returned:
//    *e       the epoch, a date's in TT; whole if the number is an integer
//             that strtoll reads whole in base 10, then year, saturated to
//             32 bits
//    *reason  null, NOT_CALENDAR for a date not in the calendar, or
//             ONE_BESSELIAN for another Besselian epoch
//    (value)  false for a text that is not an epoch
// Notes:
// 1. No blank may lead or end the text, after the J or B as before it.
inline bool read_epoch(const char *text, Epoch *e, const char **reason)
{
	*reason = nullptr;
	char *end;
	TtDate date;
	switch (read_date(text, &date)) {
	case DateText::DATE:
		*e = Epoch{false, date.epoch, false, 0};
		return true;
	case DateText::NOT_CALENDAR:
		*reason = NOT_CALENDAR;
		return false;
	case DateText::NOT_A_DATE:
		break;
	}
	if (text[0] == 'B') {
		const char *p = text + 1;
		if (std::strncmp(p, "1950", 4) == 0 && (p[4] == '\0' || (p[4] == '.' && p[5 + std::strspn(p + 5, "0")] == '\0'))) {
			*e = Epoch{true, B1950_JULIAN_EPOCH, false, 0};
			return true;
		}
		double besselian;
		if (read_number(p, &besselian))
			*reason = ONE_BESSELIAN;
		return false;
	}
	const char *p = text + (text[0] == 'J');
	e->besselian = false;
	if (!read_number(p, &e->julian) || !std::isfinite(e->julian))
		return false;
	e->year = saturated(read_integer(p, &end));
	e->whole = end != p && *end == '\0';
	return true;
}

// The year of a run without options.
//
// Given:
//    text     the year's operand
// Returned:
//    (value)  the whole year that atoi reads from it, saturated to the
//             32-bit range: a text with no number is the year 0
inline Epoch leading_year(const char *text)
{
	char *end;
	long long y = saturated(read_integer(text, &end));
	return Epoch{false, static_cast<double>(y), true, y};
}

#endif
