// precession's whole transformation of a position, from the equinox of
// its epoch (--from, J2000 by default) to that of the target epoch: by the
// uniform rotation for the years between; or by the model's matrices,
// P(to) P(from)^T, through FK5 J2000.0 for the FK4 system of B1950.  Uses
// the models, epochs.hpp, fk4.hpp and uniform.hpp.
#ifndef TRANSFORM_HPP
#define TRANSFORM_HPP

#include "angles.hpp"
#include "epochs.hpp"
#include "fk4.hpp"
#include "matrices.hpp"
#include "models.hpp"
#include "uniform.hpp"

// What every position of a run is moved with, and the matrix that it
// keeps from one target epoch to the next.
struct Transform {
	ModelName model;
	Epoch from;          // the epoch of the input positions' equinox
	bool from_given;     // --from: a target of the same epoch gives the input itself
	Matrix from_inverse; // P(from)^T, for a Julian epoch other than J2000
	EpochMatrix last;    // the matrix of the last Julian target: P(to), or P(to) P(from)^T
};

// Whether the epoch is J2000.0, which the models' matrices start from.
inline bool is_j2000(const Epoch &e) { return !e.besselian && e.julian == 2000; }

// Sets t up to move positions of the epoch from, given by --from or not,
// by the model name, computing P(from)^T once.  The epochs are checked for
// the model (epochs.hpp).
inline void transform_from(Transform &t, ModelName name, const Epoch &from, bool given)
{
	t.model = name;
	t.from = from;
	t.from_given = given;
	t.last = EpochMatrix{};
	const Model &model = MODELS[name];
	if (model.matrix != nullptr && !from.besselian && !is_j2000(from))
		t.from_inverse = transposed(model.matrix(from.julian));
}

// The matrix from the epoch of t's positions, or from J2000.0 for FK4's,
// to the Julian epoch to: P(to), or P(to) P(from)^T, kept in t.last for
// the next position of the same target.
inline const Matrix &matrix_to(Transform &t, double to)
{
	if (!t.last.set || t.last.epoch != to) {
		Matrix p = MODELS[t.model].matrix(to);
		t.last = EpochMatrix{true, to, t.from.besselian || is_j2000(t.from) ? p : product(p, t.from_inverse)};
	}
	return t.last.p;
}

// Moves the position (alpha, delta), in radians and finite, referred to
// t's epoch, to the equinox of the epoch to, and sets *ra (0 to 2 pi) and
// *dec (-pi/2 to pi/2), in radians.
//
// With --from, a target of the same epoch gives the input position itself.
// The uniform model rotates by its angle for the years between.  The
// others: from a Julian epoch to a Julian epoch, the position is rotated
// by P(to) P(from)^T, and from J2000 by P(to) alone; from B1950, it goes
// from FK4 B1950.0 to FK5 J2000.0, then by P(to); to B1950, by P(from)^T to
// FK5 J2000.0, then to FK4 B1950.0.  The new position comes back by atan2.
inline void transform(Transform &t, const Epoch &to, double alpha, double delta, double *ra, double *dec)
{
	if (t.from_given && same_epoch(t.from, to)) {
		*ra = alpha;
		*dec = delta;
		return;
	}
	if (MODELS[t.model].matrix == nullptr) {
		precess(alpha, delta, to.year - t.from.year, ra, dec);
		return;
	}
	Vec v = unit_vector(alpha, delta);
	if (to.besselian) {
		if (!is_j2000(t.from))
			v = rotated(t.from_inverse, v);
		direction(fk5_to_fk4(v), ra, dec);
		return;
	}
	if (t.from.besselian)
		v = fk4_to_fk5(v);
	direction(rotated(matrix_to(t, to.julian), v), ra, dec);
}

#endif
