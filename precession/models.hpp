// precession's models: their names for --model, the matrix and the span
// of epochs of each, and whether a model takes an epoch.  Uses
// epochs.hpp, iau2006.hpp, long_term.hpp and messages.hpp.
#ifndef PRECESSION_MODELS_HPP
#define PRECESSION_MODELS_HPP

#include "epochs.hpp"
#include "iau2006.hpp"
#include "long_term.hpp"
#include "messages.hpp"
#include "rotations.hpp"

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

// The reasons after the text for an epoch read but refused by a model.
constexpr const char *NEEDS_MODEL = "needs --model=iau2006 or --model=long-term";
constexpr const char *NOT_WHOLE = "not a whole year; --model=iau2006 takes any epoch";

// Whether a model takes an epoch.
//
// Given:
//    text      the epoch's text, for the message
//    e         the epoch read from it
//    name      the model
//    what      what the text is named in a message, "year" or "epoch"
// Returned:
//    refusal   why not: B1950 with the uniform model (always named an
//              epoch), not a whole year with it, or outside another
//              model's span
//    (value)   whether it does
// Notes:
// 1. A span's ends are inside it; nan is outside every span.
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

// Whether a model takes the epoch of the positions of moving stars, e,
// read from text: any Julian epoch within the span of a model with one,
// and any for the uniform model, whose whole years are those between
// equinoxes; or the refusal, named an epoch.
inline bool check_motion_epoch(const char *text, const Epoch &e, ModelName name, Refusal &refusal)
{
	const Model &model = MODELS[name];
	if (model.matrix != nullptr && !(e.julian >= model.first && e.julian <= model.last))
		return refuse(refusal, "epoch", text, model.outside);
	return true;
}

// An epoch text read for a model.
//
// Given:
//    text      the text (read_epoch())
//    name      the model
//    what      what the text is named in a message, "year" or "epoch"
// Returned:
//    *e        the epoch
//    refusal   why not: as check_epoch(), or a text that is not an epoch,
//              or a Besselian epoch other than B1950 (named an epoch)
//    (value)   whether it is one the model takes
inline bool get_epoch(const char *text, ModelName name, const char *what, Epoch *e, Refusal &refusal)
{
	const char *reason;
	if (!read_epoch(text, e, &reason))
		return refuse(refusal, reason == ONE_BESSELIAN ? "epoch" : what, text, reason);
	return check_epoch(text, *e, name, what, refusal);
}

#endif
