// precession's whole transformation of a position, from the equinox of
// its epoch (--from, J2000 by default) to that of the target epoch: the
// star first moved by its own motion, from its epoch to the target's
// (space_motion.hpp); then by the uniform rotation for the years between,
// or by the model's matrices, P(to) P(from)^T, through FK5 J2000.0 for the
// FK4 system of B1950, and with --nutation N(to) after them, to the true
// equator and equinox.  Uses the models, epochs.hpp, fk4.hpp,
// nutation.hpp, space_motion.hpp and uniform.hpp.
#ifndef TRANSFORM_HPP
#define TRANSFORM_HPP

#include "angles.hpp"
#include "epochs.hpp"
#include "fk4.hpp"
#include "matrices.hpp"
#include "models.hpp"
#include "nutation.hpp"
#include "space_motion.hpp"
#include "uniform.hpp"

// What every position of a run is moved with, and the matrix that it
// keeps from one target epoch to the next.
struct Transform {
	ModelName model;
	Epoch from;          // the epoch of the input positions' equinox
	bool from_given;     // --from: a target of the same epoch gives the input itself
	Matrix from_inverse; // P(from)^T, for a Julian epoch other than J2000
	bool motion;         // the star moves by its own motion, from epoch
	double epoch;        // the Julian epoch of the positions given
	bool nutation;       // to the true equator and equinox
	EpochMatrix last;    // the matrix of the last Julian target: P(to), or P(to) P(from)^T, N(to) first
};

// Whether the epoch is J2000.0, which the models' matrices start from.
inline bool is_j2000(const Epoch &e) { return !e.besselian && e.julian == 2000; }

// Sets t up to move positions of the epoch from, given by --from or not,
// by the model name, computing P(from)^T once; with neither motion nor
// nutation (transform_motion).  The epochs are checked for the model
// (epochs.hpp).
inline void transform_from(Transform &t, ModelName name, const Epoch &from, bool given)
{
	t.model = name;
	t.from = from;
	t.from_given = given;
	t.motion = false;
	t.epoch = from.julian;
	t.nutation = false;
	t.last = EpochMatrix{};
	const Model &model = MODELS[name];
	t.from_inverse = Matrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; // used only for a Julian epoch but J2000
	if (model.matrix != nullptr && !from.besselian && !is_j2000(from))
		t.from_inverse = transposed(model.matrix(from.julian));
}

// Sets t up for the stars' own motion from the Julian epoch of their
// positions (motion), and for the true equator and equinox (nutation,
// with the iau2006 model only).
inline void transform_motion(Transform &t, bool motion, double epoch, bool nutation)
{
	t.motion = motion;
	t.epoch = epoch;
	t.nutation = nutation;
}

// The matrix from the epoch of t's positions, or from J2000.0 for FK4's,
// to the Julian epoch to: P(to), or P(to) P(from)^T, and N(to) before it
// with nutation; kept in t.last for the next position of the same target.
inline const Matrix &matrix_to(Transform &t, double to)
{
	if (!t.last.set || t.last.epoch != to) {
		Matrix p = MODELS[t.model].matrix(to);
		if (!t.from.besselian && !is_j2000(t.from))
			p = product(p, t.from_inverse);
		t.last = EpochMatrix{true, to, t.nutation ? product(nutation_matrix(to), p) : p};
	}
	return t.last.p;
}

// Moves the star, its position in radians and finite, referred to t's
// epoch, to the equinox of the epoch to, and sets *ra (0 to 2 pi) and
// *dec (-pi/2 to pi/2), in radians.
//
// With motion, the star is first moved by its own motion from its epoch to
// that of to, in the frame of t's equinox (moved_star()).  With --from, a
// target of the same epoch gives that position itself.  The uniform model
// rotates by its angle for the years between.  The others: from a Julian
// epoch to a Julian epoch, the position is rotated by P(to) P(from)^T, and
// from J2000 by P(to) alone; from B1950, it goes from FK4 B1950.0 to FK5
// J2000.0, then by P(to); to B1950, by P(from)^T to FK5 J2000.0, then to
// FK4 B1950.0.  With nutation, N(to) follows.  The new position comes back
// by atan2.  Neither motion nor nutation goes with B1950 (command_line.hpp
// and answer.hpp refuse it).
inline void transform(Transform &t, const Epoch &to, const CatalogueStar &star, double *ra, double *dec)
{
	double alpha = star.ra, delta = star.dec;
	Vec v;
	if (t.motion) {
		v = moved_star(star, t.epoch, to.julian);
		direction(v, &alpha, &delta);
	}
	if (t.from_given && same_epoch(t.from, to)) {
		*ra = alpha;
		*dec = delta;
		return;
	}
	if (MODELS[t.model].matrix == nullptr) {
		precess(alpha, delta, to.year - t.from.year, ra, dec);
		return;
	}
	if (!t.motion)
		v = unit_vector(alpha, delta);
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

// The same for the position (alpha, delta) of a star without motion.
inline void transform(Transform &t, const Epoch &to, double alpha, double delta, double *ra, double *dec)
{
	transform(t, to, CatalogueStar{alpha, delta, 0, 0, 0, 0}, ra, dec);
}

#endif
