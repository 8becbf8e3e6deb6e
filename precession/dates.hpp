// Dates: an epoch written as a date and time of UTC, in the extended form
// of ISO 8601 (2026-12-09T22:00:00.5Z), or as a Julian Date of TT
// (JD2461384.4167), read into a Julian Date of TT in two parts and a
// Julian epoch.  The Gregorian calendar, proleptic before 1582, from the
// year 1 to 9999; UTC to TAI by the table of leap seconds, TAI to TT by
// their fixed offset; the day, the Julian year and J2000.0.  Uses
// decimal.hpp.
#ifndef PRECESSION_DATES_HPP
#define PRECESSION_DATES_HPP

#include "decimal.hpp"

// Seconds in a day.
constexpr double DAY_S = 86400;

// Days in a Julian year.
constexpr double JULIAN_YEAR_DAYS = 365.25;

// J2000.0 as a Julian Date (TT): 2000 January 1, 12h TT (IAU 1976).
constexpr double J2000_JD = 2451545.0;

// TT - TAI, seconds: exact, by the definition of TT (IAU 1991 Resolution
// A4).
constexpr double TT_MINUS_TAI_S = 32.184;

// The Julian Date of the day that modified Julian Dates count from, 1858
// November 17, 0h.
constexpr double MJD_ZERO_JD = 2400000.5;

// TAI - UTC, seconds, from 0h UTC on the first day of a month: each leap
// second of UTC since 1972, from the IERS's Bulletin C.  Before the first
// month the first value is taken (UTC was not yet counted in whole
// seconds), after the last the last (a leap second announced later moves
// TT by a second for the dates after it).
struct LeapSecond {
	int year, month, tai_minus_utc;
};
constexpr LeapSecond LEAP_SECONDS[] = {
	{1972, 1, 10}, {1972, 7, 11}, {1973, 1, 12}, {1974, 1, 13}, {1975, 1, 14}, {1976, 1, 15}, {1977, 1, 16},
	{1978, 1, 17}, {1979, 1, 18}, {1980, 1, 19}, {1981, 7, 20}, {1982, 7, 21}, {1983, 7, 22}, {1985, 7, 23},
	{1988, 1, 24}, {1990, 1, 25}, {1991, 1, 26}, {1992, 7, 27}, {1993, 7, 28}, {1994, 7, 29}, {1996, 1, 30},
	{1997, 7, 31}, {1999, 1, 32}, {2006, 1, 33}, {2009, 1, 34}, {2012, 7, 35}, {2015, 7, 36}, {2017, 1, 37},
};
constexpr int LEAP_SECOND_ROWS = sizeof LEAP_SECONDS / sizeof LEAP_SECONDS[0];

// An instant as a Julian Date of TT, jd1 + jd2, and as a Julian epoch.
struct TtDate {
	double jd1;   // 0h UTC of a UTC date, 2400000.5 + its MJD; or a JD's whole days
	double jd2;   // the rest, days: the time of day in TT, up to 1.0009
	double epoch; // the Julian epoch, years (TT): 2000 + (jd1 + jd2 - 2451545) / 365.25
};

// What a text read as a date is.
enum class DateText {
	DATE,          // a date, a date and time or a Julian Date, read
	NOT_CALENDAR,  // written as a date, but no day or time of the calendar: 2026-02-30, 25:00
	NOT_A_DATE,    // anything else
};

// Whether the Gregorian year y has a February 29.
inline bool leap_year(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// The days in a month.
//
// Given:
//    y, m     a Gregorian year and a month of it, 1 to 12
// Returned:
//    (value)  28 to 31
inline int days_in_month(int y, int m)
{
	static constexpr int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
	return DAYS[m - 1] + (m == 2 && leap_year(y));
}

// TAI - UTC in a month.
//
// Given:
//    y, m     a Gregorian year and a month of it, 1 to 12
// Returned:
//    (value)  TAI - UTC at 0h UTC of each of the month's days, seconds:
//             the last row of LEAP_SECONDS not after the month, or the
//             first row for a month before it
// References:
//    the IERS's Bulletin C; the standard routines' eraDat, which instead
//    refuses the years before 1960 and takes UTC's rates from 1960 to 1971
inline int tai_minus_utc(int y, int m)
{
	int i = LEAP_SECOND_ROWS - 1;
	while (i > 0 && (LEAP_SECONDS[i].year > y || (LEAP_SECONDS[i].year == y && LEAP_SECONDS[i].month > m)))
		i--;
	return LEAP_SECONDS[i].tai_minus_utc;
}

// Whether the UTC day y-m-d (a calendar date) ends with a leap second,
// 23:59:60: the last day of a month after which TAI - UTC grows.
inline bool ends_with_leap_second(int y, int m, int d)
{
	return d == days_in_month(y, m) && tai_minus_utc(y + (m == 12), m % 12 + 1) > tai_minus_utc(y, m);
}

// The modified Julian Date of 0h of a Gregorian calendar date.
//
// Given:
//    y, m, d  year, month (1 to 12) and day (1 to the month's last); the
//             formula holds from -4799 January 1
// Returned:
//    (value)  the modified Julian Date, JD - 2400000.5, a whole number
// Notes:
// 1. With C's division, which truncates: (m - 14) / 12 is -1 for January
//    and February, 0 for the other months.  Every other quotient is of
//    numbers that are positive from -4799 on.
// References:
//    the standard routines' eraCal2jd
inline long modified_julian_day(int y, int m, int d)
{
	long my = (m - 14) / 12, yp = y + my;
	return (1461 * (yp + 4800)) / 4 + (367 * (m - 2 - 12 * my)) / 12 - (3 * ((yp + 4900) / 100)) / 4 + d - 2432076;
}

// The Julian epoch of a two-part Julian Date: jd1 - 2451545 is exact for
// the jd1 of a TtDate, so that the epoch keeps what a double holds, to
// within 4 microseconds near the present (half its last bit); the two
// parts keep more.
inline double julian_epoch(double jd1, double jd2) { return 2000 + ((jd1 - J2000_JD) + jd2) / JULIAN_YEAR_DAYS; }

// Whether p starts with n decimal digits; *v their value.
inline bool read_digits(const char *p, int n, int *v)
{
	*v = 0;
	for (int i = 0; i < n; i++, p++) {
		if (!is_digit(*p))
			return false;
		*v = *v * 10 + (*p - '0');
	}
	return true;
}

// Whether p starts with a point and one digit or more; *end after them.
inline bool read_decimals(const char *p, const char **end)
{
	if (p[0] != '.' || !is_digit(p[1]))
		return false;
	p += 2;
	while (is_digit(*p))
		p++;
	*end = p;
	return true;
}

// A Julian Date of TT read whole.
//
// Given:
//    text     JD, then one digit or more, then optionally a point and one
//             digit or more: JD2461384.4167
// Returned:
//    *date    for DATE, the Julian Date and its epoch; unset otherwise
//    (value)  DATE, or NOT_A_DATE for any other text
// Notes:
// 1. The whole days go to jd1, exact up to 15 digits (more than 308 make
//    it infinite, an epoch that no model admits), and the decimals to jd2
//    as strtod reads them, so that the time of day keeps its digits to
//    some 1e-17 days.
inline DateText read_julian_date(const char *text, TtDate *date)
{
	if (text[0] != 'J' || text[1] != 'D' || !is_digit(text[2]))
		return DateText::NOT_A_DATE;
	const char *p = text + 2, *end;
	double days = 0;
	for (; is_digit(*p); p++)
		days = days * 10 + (*p - '0');
	if (*p != '\0' && (!read_decimals(p, &end) || *end != '\0'))
		return DateText::NOT_A_DATE;
	date->jd1 = days;
	date->jd2 = *p == '.' ? read_decimal(p, nullptr) : 0;
	date->epoch = julian_epoch(date->jd1, date->jd2);
	return DateText::DATE;
}

// The time of a date and time, after its T: hh:mm, hh:mm:ss or hh:mm:ss.s
// with any number of decimals, then an optional Z, then the text's end.
// Whether the text has that form; *h, *m and *whole the hour, minute and
// whole seconds as written, not checked against the clock, and *s the
// seconds with their decimals as strtod reads them.
inline bool read_time(const char *p, int *h, int *m, int *whole, double *s)
{
	*whole = 0;
	*s = 0;
	if (!read_digits(p, 2, h) || p[2] != ':' || !read_digits(p + 3, 2, m))
		return false;
	p += 5;
	if (*p == ':') {
		const char *seconds = p + 1;
		if (!read_digits(seconds, 2, whole))
			return false;
		p = seconds + 2;
		if (*p == '.' && !read_decimals(p, &p))
			return false;
		*s = read_decimal(seconds, nullptr);
	}
	p += *p == 'Z';
	return *p == '\0';
}

// An epoch written as a UTC date, a UTC date and time, or a Julian Date
// of TT, read whole.
//
// Given:
//    text     yyyy-mm-dd (0h UTC); or yyyy-mm-ddThh:mm, yyyy-mm-ddThh:mm:ss
//             or yyyy-mm-ddThh:mm:ss.s, with any number of decimals, each
//             with an optional final Z; or a Julian Date of TT, JD then
//             digits with optional decimals.  Letters upper case; no
//             blank, sign, offset from UTC, or ISO 8601's basic form
// Returned:
//    *date    for DATE, the instant in TT: for a UTC date, jd1 is the
//             day's 0h UTC and jd2 its TT time of day, (3600 h + 60 m + s
//             + (TAI - UTC) + 32.184) / 86400; unset otherwise
//    (value)  DATE; NOT_CALENDAR for a text of the form of a UTC date
//             that names no instant: a year 0000, a month or a day out of
//             range (2026-02-30, 2026-13-01), an hour of 24 or more, a
//             minute of 60 or more, or a second of 60 or more, except
//             23:59:60 to 23:59:60.999... on a day that ends with a leap
//             second; NOT_A_DATE for any other text
// Notes:
// 1. TAI - UTC is that in force at 0h UTC of the day, tai_minus_utc();
//    the seconds count in SI seconds from 0h, so that 23:59:60.5 on a day
//    that ends with a leap second is 86400.5 s after its 0h.  A date
//    before 1972 takes the table's first value, 10 s, and one after its
//    last row the last, 37 s.
// 2. jd2 is the sum of exact whole seconds, the seconds read and the
//    offsets, over 86400: good to 1e-16 days, some 1e-11 s.
// References:
//    ISO 8601-1:2019, the extended format of the calendar date and time
//    the standard routines' eraCal2jd, eraDtf2d, eraDat, eraUtctai and
//    eraTaitt
inline DateText read_date(const char *text, TtDate *date)
{
	if (text[0] == 'J')
		return read_julian_date(text, date);
	int y, m, d, h = 0, min = 0, whole = 0;
	double s = 0;
	if (!read_digits(text, 4, &y) || text[4] != '-' || !read_digits(text + 5, 2, &m) || text[7] != '-' ||
	    !read_digits(text + 8, 2, &d) ||
	    (text[10] != '\0' && (text[10] != 'T' || !read_time(text + 11, &h, &min, &whole, &s))))
		return DateText::NOT_A_DATE;
	if (y < 1 || m < 1 || m > 12 || d < 1 || d > days_in_month(y, m) || h > 23 || min > 59)
		return DateText::NOT_CALENDAR;
	// The whole seconds as written decide: 59.99... may round to 60.
	if (whole > 60 || (whole == 60 && !(h == 23 && min == 59 && ends_with_leap_second(y, m, d))))
		return DateText::NOT_CALENDAR;
	double seconds = (3600 * h + 60 * min) + s + tai_minus_utc(y, m) + TT_MINUS_TAI_S;
	date->jd1 = MJD_ZERO_JD + modified_julian_day(y, m, d);
	date->jd2 = seconds / DAY_S;
	date->epoch = julian_epoch(date->jd1, date->jd2);
	return DateText::DATE;
}

#endif
