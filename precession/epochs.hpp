// precession's epochs: an epoch text read (a Julian epoch, 2026.94 or
// J2026.94, or the Besselian B1950, which means the FK4 system), and
// checked against a model: the uniform model takes whole years, the
// others any epoch within their span.  Uses decimal.hpp, messages.hpp,
// models.hpp, and B1950.0 of fk4.hpp.
#ifndef EPOCHS_HPP
#define EPOCHS_HPP

#include <cstdint>
#include <cstring>

#include "decimal.hpp"
#include "fk4.hpp"
#include "messages.hpp"
#include "models.hpp"

// An epoch: Julian, or B1950 in the FK4 system.
struct Epoch {
	bool besselian; // B1950: FK4 at B1950.0
	double julian;  // the Julian epoch in years (TT); B1950_JULIAN_EPOCH for B1950
	bool whole;     // a whole number of years, for the uniform model
	long long year; // then that year, saturated to 32 bits
};

// J2000.0, the epoch of the input positions unless --from says otherwise.
constexpr Epoch J2000 = {false, 2000, true, 2000};

// Whether a and b are the same epoch.
inline bool same_epoch(const Epoch &a, const Epoch &b)
{
	return a.besselian == b.besselian && a.julian == b.julian;
}

// The reasons after the text for an epoch read but refused.
constexpr const char *ONE_BESSELIAN = "not read: B1950 is the one Besselian epoch (FK4)";
constexpr const char *NEEDS_MODEL = "needs --model=iau2006 or --model=long-term";
constexpr const char *NOT_WHOLE = "not a whole year; --model=iau2006 takes any epoch";

// The year y saturated to the 32-bit range, so that the years between two
// never overflow.
inline long long saturated(long long y) { return y > INT32_MAX ? INT32_MAX : y < INT32_MIN ? INT32_MIN : y; }

// Reads the text whole as an epoch into *e: B1950, with or without a point
// and zeros after it; or a Julian epoch, a number that strtod reads whole
// with an optional J before it, whole if strtol reads it whole in base 10
// (saturated to the 32-bit range, so that the years between two never
// overflow).  Letters are upper case.  Returns false for a text that is
// not one, with *reason null, or ONE_BESSELIAN for another Besselian epoch.
inline bool read_epoch(const char *text, Epoch *e, const char **reason)
{
	*reason = nullptr;
	char *end;
	if (text[0] == 'B') {
		const char *p = text + 1;
		if (std::strncmp(p, "1950", 4) == 0 && (p[4] == '\0' || (p[4] == '.' && p[5 + std::strspn(p + 5, "0")] == '\0'))) {
			*e = Epoch{true, B1950_JULIAN_EPOCH, false, 0};
			return true;
		}
		double besselian;
		if (read_number(p, &besselian) && *p != ' ' && *p != '\t')
			*reason = ONE_BESSELIAN;
		return false;
	}
	const char *p = text + (text[0] == 'J');
	e->besselian = false;
	if (!read_number(p, &e->julian))
		return false;
	e->year = saturated(read_integer(p, &end));
	e->whole = end != p && *end == '\0';
	return true;
}

// Whether the epoch e, read from text, is one that the model takes, or
// the refusal: what the text is named as in a message ("year" or "epoch";
// a Besselian text is always an epoch), and why: B1950 with the uniform
// model, not a whole year with it, or outside another model's span.
inline bool check_epoch(const char *text, const Epoch &e, ModelName name, const char *what, Refusal &refusal)
{
	const Model &model = MODELS[name];
	if (model.matrix == nullptr && e.besselian)
		return refuse(refusal, "epoch", text, NEEDS_MODEL);
	if (model.matrix == nullptr && !e.whole)
		return refuse(refusal, what, text, NOT_WHOLE);
	if (model.matrix != nullptr && !(e.julian >= model.first && e.julian <= model.last))
		return refuse(refusal, what, text, model.outside);
	return true;
}

// The epoch text to *e for the model, or the refusal: as check_epoch(), or
// for a text that is not an epoch, or another Besselian epoch.
inline bool get_epoch(const char *text, ModelName name, const char *what, Epoch *e, Refusal &refusal)
{
	const char *reason;
	if (!read_epoch(text, e, &reason))
		return refuse(refusal, reason != nullptr ? "epoch" : what, text, reason);
	return check_epoch(text, *e, name, what, refusal);
}

// The year text of a run without options, as atoi reads it (a text with no
// number is the year 0), saturated to the 32-bit range.
inline Epoch leading_year(const char *text)
{
	char *end;
	long long y = saturated(read_integer(text, &end));
	return Epoch{false, static_cast<double>(y), true, y};
}

#endif
