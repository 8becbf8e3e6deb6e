// precession's whole transformation of a position, from the system it is
// given in (--from: the mean equator and equinox of an epoch, J2000 by
// default, the ICRS or galactic coordinates) to the system of the answer
// (--to: by default the mean equator and equinox of the question's year):
// the star first moved by its own motion, from its epoch to the year
// (space_motion.hpp); then, between two equinoxes, by the uniform rotation
// for the years between, or by the model's matrices, P(to) P(from)^T,
// through FK5 J2000.0 for the FK4 system of B1950, and N(to) after them
// for the true equator; any other way through the ICRS, by the frame bias
// (frame_bias.hpp), the galactic rotation (galactic.hpp), the ecliptic of
// date (ecliptic.hpp) and the apparent place (apparent.hpp).  Uses those,
// the models, epochs.hpp, fk4.hpp, nutation.hpp, rotations.hpp,
// space_motion.hpp and uniform.hpp.
#ifndef PRECESSION_TRANSFORM_HPP
#define PRECESSION_TRANSFORM_HPP

#include "angles.hpp"
#include "apparent.hpp"
#include "earth.hpp"
#include "ecliptic.hpp"
#include "epochs.hpp"
#include "fk4.hpp"
#include "frame_bias.hpp"
#include "galactic.hpp"
#include "models.hpp"
#include "nutation.hpp"
#include "rotations.hpp"
#include "space_motion.hpp"
#include "uniform.hpp"

// How the stars of a run move: not at all, by their proper motion, or in
// space, by their proper motion, parallax and radial velocity.
enum Motion { NO_MOTION, BY_PROPER_MOTION, IN_SPACE };

// A system of coordinates, as --from and --to name them.
enum System {
	EQUINOX,      // the mean equator and equinox of an epoch: FK5, or FK4 for B1950
	ICRS,         // the International Celestial Reference System
	GALACTIC,     // galactic longitude and latitude, the IAU 1958 system in the ICRS
	MEAN,         // --to only: the mean equator and equinox of the question's year
	TRUE_EQUATOR, // --to only: the true equator and equinox of the year
	APPARENT,     // --to only: the geocentric apparent place at the year
	ECLIPTIC,     // --to only: the mean ecliptic and equinox of the year
};

// A system, with its epoch for an equinox's.
struct Frame {
	System system;
	Epoch epoch; // EQUINOX only
};

// The systems of a run without options: from the mean equator and
// equinox of J2000.0 to those of the year.
constexpr Frame J2000_EQUINOX = {EQUINOX, J2000};
constexpr Frame MEAN_OF_YEAR = {MEAN, J2000};

// What every position of a run is moved by: the choices of its command
// line, and what they fix for the whole run.  Made by make_transform().
struct Transform {
	ModelName model;
	Frame from;          // the system of the positions given
	bool from_given;     // --from gave an equinox: a target of the same epoch gives the input itself
	Frame to;            // the system of the answers
	Motion motion;       // how each star moves
	double epoch;        // the Julian epoch of the positions of moving stars
	bool through_icrs;   // the way goes through the ICRS: not from one equinox to another
	Matrix from_inverse; // P(from)^T, for a Julian epoch other than J2000; else the identity
	Matrix bias;         // through the ICRS: B, from the ICRS to the mean equator and equinox of J2000.0
	Matrix to_icrs;      // through the ICRS: from the positions' system (FK5 for B1950's) to the ICRS
	Matrix from_icrs;    // through the ICRS, to a system of no date: from the ICRS to it (FK5 for B1950)
};

// What answering a question for a date computes once, kept for the next
// question of the same date, so that a catalogue of one date computes it
// once: the only state that answering a question changes.  set is false
// until the first.
struct DateMatrix {
	bool set;
	double epoch;      // the date's Julian epoch (TT)
	Matrix p;          // to the system of the answer: P(to), or P(to) P(from)^T, N(to) first for the true
	                   // equator; through the ICRS, P B, N P B or R1(epsA) P B
	EarthState earth;  // for the apparent place
};

// Whether a system is an equinox's, whatever its date: the mean or true
// equator and equinox of the year, or those of an epoch.
inline bool of_an_equinox(System s) { return s == MEAN || s == TRUE_EQUATOR || s == EQUINOX; }

// The transform of a run, with what its systems fix computed once.
//
// Given:
//    model     the model
//    from      the system of the positions given, an equinox's epoch
//              checked for the model (models.hpp)
//    given     whether --from gave an equinox
//    to        the system of the answers
//    motion    how the stars move
//    epoch     the Julian epoch of their positions (--epoch, or from's)
// Returned:
//    (value)   the transform
// Notes:
// 1. From one equinox to another, as before the other systems, the way
//    does not go through the ICRS, and the frame bias never enters.
// 2. Neither motion nor the true equator goes with B1950, and every way
//    through the ICRS needs iau2006; command_line.hpp and answer.hpp
//    refuse the rest.
inline Transform make_transform(ModelName model, const Frame &from, bool given, const Frame &to, Motion motion,
                                double epoch)
{
	Transform t = {model, from, given, to, motion, epoch, false, IDENTITY, IDENTITY, IDENTITY, IDENTITY};
	const Epoch &e = from.epoch;
	if (from.system == EQUINOX && MODELS[model].matrix != nullptr && !e.besselian && !is_j2000(e))
		t.from_inverse = transposed(MODELS[model].matrix(e.julian));
	t.through_icrs = !(from.system == EQUINOX && of_an_equinox(to.system));
	if (!t.through_icrs)
		return t;
	t.bias = frame_bias_matrix();
	if (from.system == EQUINOX)
		t.to_icrs = product(transposed(t.bias), e.besselian ? IDENTITY : t.from_inverse);
	else if (from.system == GALACTIC)
		t.to_icrs = transposed(ICRS_TO_GALACTIC);
	if (to.system == GALACTIC)
		t.from_icrs = ICRS_TO_GALACTIC;
	else if (to.system == EQUINOX)
		t.from_icrs = to.epoch.besselian ? t.bias : product(iau2006_matrix(to.epoch.julian), t.bias);
	return t;
}

// The matrix of a run to a Julian date, and for the apparent place the
// Earth's state then.
//
// Given:
//    t        the run's transform, of a model with matrices
//    last     the matrix of the last date, updated
//    to       the date's Julian epoch, years (TT)
// Returned:
//    (value)  from one equinox to another: from the epoch of t's
//             positions, or from J2000.0 for FK4's, P(to), or P(to)
//             P(from)^T, and N(to) before it to the true equator; through
//             the ICRS, from it: P B to the mean equator, N P B to the true
//             one and for the apparent place, R1(epsA) P B to the ecliptic;
//             valid until last changes
// Notes:
// 1. Computed once for a run of questions of one date, as a catalogue of
//    one date is; any other date computes it again.
inline const DateMatrix &matrix_to(const Transform &t, DateMatrix &last, double to)
{
	if (last.set && last.epoch == to)
		return last;
	last.set = true;
	last.epoch = to;
	if (!t.through_icrs) {
		Matrix p = MODELS[t.model].matrix(to);
		if (!t.from.epoch.besselian && !is_j2000(t.from.epoch))
			p = product(p, t.from_inverse);
		last.p = t.to.system == TRUE_EQUATOR ? product(nutation_matrix(to), p) : p;
	} else if (t.to.system == ECLIPTIC) {
		last.p = ecliptic_matrix(to, t.bias);
	} else if (t.to.system == MEAN) {
		last.p = product(iau2006_matrix(to), t.bias);
	} else {
		last.p = true_equator_matrix(to, t.bias);
		if (t.to.system == APPARENT)
			last.earth = earth_state(to);
	}
	return last;
}

// A star moved from one equinox to another: the first release's way, and
// the IAU's models', as they were before the other systems.
//
// Given:
//    t        the run's transform, from an equinox to an equinox
//    last     the matrix of the last target, updated
//    year     the question's year, the date of the motion, and with
//             t.to MEAN or TRUE_EQUATOR the target's equinox too
//    star     the star, its position referred to t's equinox, finite
// Returned:
//    *ra, *dec, (value)  as transform()
// Notes:
// 1. With motion, the star is first moved by its own motion from its
//    epoch to the year, in the frame of t's equinox (moved_star()).
// 2. With --from, a target of the same epoch gives that position itself.
// 3. The uniform model rotates by its angle for the whole years between.
//    The others: from a Julian epoch to a Julian epoch, the position is
//    rotated by P(to) P(from)^T, and from J2000 by P(to) alone; from
//    B1950, it goes from FK4 B1950.0 to FK5 J2000.0, then by P(to); to
//    B1950, by P(from)^T to FK5 J2000.0, then to FK4 B1950.0.  To the true
//    equator, N(to) follows.  The new position comes back by atan2.
inline int between_equinoxes(const Transform &t, DateMatrix &last, const Epoch &year, const CatalogueStar &star,
                             double *ra, double *dec)
{
	const Epoch &to = t.to.system == EQUINOX ? t.to.epoch : year;
	double alpha = star.ra, delta = star.dec;
	Vec v;
	if (t.motion != NO_MOTION) {
		Moved moved;
		v = moved_star(star, t.epoch, year.julian, &moved);
		if (moved.faults != 0)
			return moved.faults;
		direction(v, &alpha, &delta);
	}
	if (t.from_given && same_epoch(t.from.epoch, to)) {
		*ra = alpha;
		*dec = delta;
		return 0;
	}
	if (MODELS[t.model].matrix == nullptr) {
		precess(alpha, delta, to.year - t.from.epoch.year, ra, dec);
		return 0;
	}
	if (t.motion == NO_MOTION)
		v = unit_vector(alpha, delta);
	if (to.besselian) {
		if (!is_j2000(t.from.epoch))
			v = rotated(t.from_inverse, v);
		direction(fk5_to_fk4(v), ra, dec);
		return 0;
	}
	if (t.from.epoch.besselian)
		v = fk4_to_fk5(v);
	direction(rotated(matrix_to(t, last, to.julian).p, v), ra, dec);
	return 0;
}

// A star moved to the system of the answer.
//
// Given:
//    t        the run's transform
//    last     the matrix of the last date, updated
//    year     the question's year: the date of the motion, and the
//             equinox of the mean and true equators, the ecliptic and the
//             apparent place; a Julian one but for t.to MEAN from an
//             equinox without motion
//    star     the star, its position in t's from system, finite
// Returned:
//    *ra      right ascension, or longitude, in t's to system, radians, 0
//             to 2 pi
//    *dec     declination, or latitude, radians, -pi/2 to pi/2
//    (value)  0, or the MotionFault bits of a star that cannot be moved,
//             whose *ra and *dec are then no position
// Notes:
// 1. From one equinox to another, between_equinoxes().  Any other way:
//    the star moved by its own motion to the year in its own system, its
//    parallax at the year kept; its vector to the ICRS (from B1950
//    through FK5 J2000.0); then to the answer's system, a fixed rotation
//    for the ICRS, galactic coordinates or an epoch's equinox, or the
//    date's matrix (matrix_to()); for the apparent place, the annual
//    parallax, the deflection of light and the aberration in the ICRS
//    before the true equator's matrix (apparent_place()).
// 2. A star given without motion is fixed in the ICRS, with no parallax.
inline int transform(const Transform &t, DateMatrix &last, const Epoch &year, const CatalogueStar &star,
                     double *ra, double *dec)
{
	if (!t.through_icrs)
		return between_equinoxes(t, last, year, star, ra, dec);
	Vec v;
	double parallax = 0;
	if (t.motion != NO_MOTION) {
		Moved moved;
		v = moved_star(star, t.epoch, year.julian, &moved);
		if (moved.faults != 0)
			return moved.faults;
		parallax = parallax_at_epoch(star, moved);
	} else {
		v = unit_vector(star.ra, star.dec);
	}
	if (t.from.system == EQUINOX && t.from.epoch.besselian)
		v = fk4_to_fk5(v);
	Vec icrs = rotated(t.to_icrs, v);
	if (t.to.system == ICRS || t.to.system == GALACTIC || t.to.system == EQUINOX) {
		Vec out = rotated(t.from_icrs, icrs);
		direction(t.to.system == EQUINOX && t.to.epoch.besselian ? fk5_to_fk4(out) : out, ra, dec);
		return 0;
	}
	const DateMatrix &date = matrix_to(t, last, year.julian);
	if (t.to.system == APPARENT)
		apparent_place(icrs, parallax, date.earth, date.p, ra, dec);
	else
		direction(rotated(date.p, icrs), ra, dec);
	return 0;
}

#endif
