// precession's whole transformation of a position, from the equinox of
// its epoch (--from, J2000 by default) to that of the target epoch: the
// star first moved by its own motion, from its epoch to the target's
// (space_motion.hpp); then by the uniform rotation for the years between,
// or by the model's matrices, P(to) P(from)^T, through FK5 J2000.0 for the
// FK4 system of B1950, and with --nutation N(to) after them, to the true
// equator and equinox.  Uses the models, epochs.hpp, fk4.hpp,
// nutation.hpp, rotations.hpp, space_motion.hpp and uniform.hpp.
#ifndef PRECESSION_TRANSFORM_HPP
#define PRECESSION_TRANSFORM_HPP

#include "angles.hpp"
#include "epochs.hpp"
#include "fk4.hpp"
#include "models.hpp"
#include "nutation.hpp"
#include "rotations.hpp"
#include "space_motion.hpp"
#include "uniform.hpp"

// How the stars of a run move: not at all, by their proper motion, or in
// space, by their proper motion, parallax and radial velocity.
enum Motion { NO_MOTION, BY_PROPER_MOTION, IN_SPACE };

// What every position of a run is moved by: the choices of its command
// line, and what they fix for the whole run.  Made by make_transform().
struct Transform {
	ModelName model;
	Epoch from;          // the equinox of the positions given
	bool from_given;     // --from: a target of the same epoch gives the input itself
	Motion motion;       // how each star moves
	double epoch;        // the Julian epoch of the positions of moving stars
	bool nutation;       // to the true equator and equinox
	Matrix from_inverse; // P(from)^T, for a Julian epoch other than J2000; else the identity
};

// The matrix of the last Julian target epoch, so that a catalogue of one
// epoch computes it once: the only state that answering a question
// changes.  set is false until the first.
struct EpochMatrix {
	bool set;
	double epoch;
	Matrix p; // P(to), or P(to) P(from)^T, N(to) first with nutation
};

// The transform of a run, with P(from)^T computed once.
//
// Given:
//    model     the model
//    from      the epoch of the positions' equinox, checked for the model
//              (models.hpp)
//    given     whether --from gave it
//    motion    how the stars move
//    epoch     the Julian epoch of their positions (--epoch, or from's)
//    nutation  to the true equator and equinox (iau2006 only)
// Returned:
//    (value)   the transform
// Notes:
// 1. Neither motion nor nutation goes with B1950; command_line.hpp and
//    answer.hpp refuse it.
inline Transform make_transform(ModelName model, const Epoch &from, bool given, Motion motion, double epoch,
                                bool nutation)
{
	Transform t = {model, from, given, motion, epoch, nutation, IDENTITY};
	if (MODELS[model].matrix != nullptr && !from.besselian && !is_j2000(from))
		t.from_inverse = transposed(MODELS[model].matrix(from.julian));
	return t;
}

// The matrix of a run's model to a Julian target epoch.
//
// Given:
//    t        the run's transform, of a model with matrices
//    last     the matrix of the last target, updated
//    to       the target's Julian epoch, years (TT)
// Returned:
//    (value)  from the epoch of t's positions, or from J2000.0 for FK4's:
//             P(to), or P(to) P(from)^T, and N(to) before it with
//             nutation; valid until last changes
// Notes:
// 1. Computed once for a run of targets of one epoch, as a catalogue of
//    one epoch is; any other target computes it again.
inline const Matrix &matrix_to(const Transform &t, EpochMatrix &last, double to)
{
	if (!last.set || last.epoch != to) {
		Matrix p = MODELS[t.model].matrix(to);
		if (!t.from.besselian && !is_j2000(t.from))
			p = product(p, t.from_inverse);
		last = EpochMatrix{true, to, t.nutation ? product(nutation_matrix(to), p) : p};
	}
	return last.p;
}

// A star moved to the equinox of the target epoch.
//
// Given:
//    t        the run's transform
//    last     the matrix of the last target, updated
//    to       the target epoch; a Julian one if t has motion or nutation
//    star     the star, its position referred to t's equinox, finite
// Returned:
//    *ra      right ascension at the target, radians, 0 to 2 pi
//    *dec     declination at the target, radians, -pi/2 to pi/2
//    (value)  0, or the MotionFault bits of a star that cannot be moved,
//             whose *ra and *dec are then no position
// Notes:
// 1. With motion, the star is first moved by its own motion from its
//    epoch to that of to, in the frame of t's equinox (moved_star()).
// 2. With --from, a target of the same epoch gives that position itself.
// 3. The uniform model rotates by its angle for the whole years between.
//    The others: from a Julian epoch to a Julian epoch, the position is
//    rotated by P(to) P(from)^T, and from J2000 by P(to) alone; from
//    B1950, it goes from FK4 B1950.0 to FK5 J2000.0, then by P(to); to
//    B1950, by P(from)^T to FK5 J2000.0, then to FK4 B1950.0.  With
//    nutation, N(to) follows.  The new position comes back by atan2.
inline int transform(const Transform &t, EpochMatrix &last, const Epoch &to, const CatalogueStar &star,
                     double *ra, double *dec)
{
	double alpha = star.ra, delta = star.dec;
	Vec v;
	if (t.motion != NO_MOTION) {
		Moved moved;
		v = moved_star(star, t.epoch, to.julian, &moved);
		if (moved.faults != 0)
			return moved.faults;
		direction(v, &alpha, &delta);
	}
	if (t.from_given && same_epoch(t.from, to)) {
		*ra = alpha;
		*dec = delta;
		return 0;
	}
	if (MODELS[t.model].matrix == nullptr) {
		precess(alpha, delta, to.year - t.from.year, ra, dec);
		return 0;
	}
	if (t.motion == NO_MOTION)
		v = unit_vector(alpha, delta);
	if (to.besselian) {
		if (!is_j2000(t.from))
			v = rotated(t.from_inverse, v);
		direction(fk5_to_fk4(v), ra, dec);
		return 0;
	}
	if (t.from.besselian)
		v = fk4_to_fk5(v);
	direction(rotated(matrix_to(t, last, to.julian), v), ra, dec);
	return 0;
}

#endif
