// precession's models: their names, the epochs that each takes, and the
// matrix of an epoch, kept for the next question.  Uses matrices.hpp,
// decimal.hpp and messages.hpp.
#ifndef MODELS_HPP
#define MODELS_HPP

#include <cstdint>

#include "decimal.hpp"
#include "matrices.hpp"
#include "messages.hpp"

// The models, in the order of MODELS.
enum ModelName { UNIFORM, IAU2006, LONG_TERM };

// A model: its name for --model, the matrix of an epoch, or null for the
// uniform rotation, the span of epochs, and the reason an epoch outside it
// is refused for.
struct Model {
	const char *name;
	Matrix (*matrix)(double epoch);
	double first, last;
	const char *outside;
};
inline const Model MODELS[] = {
	{"uniform", nullptr, 0, 0, nullptr},
	{"iau2006", iau2006_matrix, 1000, 3000, "outside the span of iau2006, 1000 to 3000"},
	{"long-term", long_term_matrix, -198000, 202000, "outside the span of long-term, -198000 to 202000"},
};
constexpr int MODEL_COUNT = sizeof MODELS / sizeof *MODELS;

// Year text to *year for the model name, or false with its refusal.
//
// For the uniform model, a whole year, read as strtoll reads it in base 10
// (leading blanks, a sign, the decimal digits that follow) and saturated to
// the 32-bit range rather than left undefined beyond it, so that the years
// since 2000 are exact and never overflow.  Read as atoi reads it (a text
// with no number is the year 0) unless whole; if whole, a text read in part
// or not at all is refused.
//
// For the other models, a Julian epoch read as strtod reads it, in whole,
// and refused outside the model's span.
inline bool get_year(const char *text, ModelName name, bool whole, double *year, Refusal &refusal)
{
	char *end;
	const Model &model = MODELS[name];
	if (model.matrix == nullptr) {
		long long y = read_integer(text, &end);
		if (y > INT32_MAX)
			y = INT32_MAX;
		if (y < INT32_MIN)
			y = INT32_MIN;
		*year = static_cast<double>(y);
		if (whole && (end == text || *end != '\0'))
			return refuse(refusal, "year", text);
		return true;
	}
	*year = read_decimal(text, &end);
	if (end == text || *end != '\0')
		return refuse(refusal, "year", text);
	if (!(*year >= model.first && *year <= model.last))
		return refuse(refusal, "year", text, model.outside);
	return true;
}

// The matrix of the last epoch that a run asked for, so that a catalogue
// of one epoch computes it once; set is false until the first.
struct EpochMatrix {
	bool set;
	double epoch;
	Matrix p;
};

// The matrix of make (iau2006_matrix or long_term_matrix) for the epoch,
// from last if it holds that epoch's, and kept in last otherwise.
inline const Matrix &matrix_for(EpochMatrix &last, Matrix (*make)(double), double epoch)
{
	if (!last.set || last.epoch != epoch)
		last = EpochMatrix{true, epoch, make(epoch)};
	return last.p;
}

#endif
