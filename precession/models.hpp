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

// The matrix of the last epoch that a run asked for, so that a catalogue
// of one epoch computes it once (transform.hpp); set is false until the
// first.
struct EpochMatrix {
	bool set;
	double epoch;
	Matrix p;
};

#endif
