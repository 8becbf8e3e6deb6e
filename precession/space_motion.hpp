// The space motion of a catalogue star: its position at one Julian epoch
// moved to another by its proper motion, parallax and radial velocity, as
// a straight line in space at constant velocity, with the light time at
// both epochs and the special-relativistic step from observed to inertial
// velocity.  Positions, and the change of the star's distance for its
// parallax at the new epoch: no proper motion or radial velocity comes
// back.
//
// Units inside are the astronomical unit and the day, with the barycentre
// at the origin; a parallax in seconds of arc is a distance of
// ARCSEC_PER_RADIAN (angles.hpp) over it in au.  The result is a unit
// vector (angles.hpp's Vec) that direction() turns into (ra, dec), or that
// a precession matrix rotates first.  Plain double arithmetic in the order
// written.  Uses angles.hpp and epochs.hpp (the day and the Julian year).
#ifndef PRECESSION_SPACE_MOTION_HPP
#define PRECESSION_SPACE_MOTION_HPP

#include <cfloat>
#include <cmath>

#include "angles.hpp"
#include "epochs.hpp"

// The speed of light, metres a second (exact, by the definition of the metre).
constexpr double LIGHT_SPEED_M_PER_S = 299792458;

// The astronomical unit, metres (exact, IAU 2012 Resolution B2).
constexpr double AU_M = 149597870700;

// The speed of light in au a day, 86400 / (au / c): 173.1446326742403...
constexpr double LIGHT_AU_PER_DAY = DAY_S / (AU_M / LIGHT_SPEED_M_PER_S);

// The constants of the method, the standard routines' own (eraPmsafe,
// eraStarpv, eraStarpm).  The parallax guard, in seconds of arc: no
// parallax is taken below PARALLAX_PER_MOTION times the proper motion in a
// year (an angle in radians, the two numbers compared as they stand),
// which keeps the transverse speed under about 1% of c, nor below
// PARALLAX_FLOOR (a distance of 2 megaparsecs).
constexpr double PARALLAX_PER_MOTION = 326;
constexpr double PARALLAX_FLOOR = 5e-7;

// A space velocity above this fraction of c is taken as zero.
constexpr double SPEED_LIMIT_OF_C = 0.5;

// The most passes of the relativistic iteration.
constexpr int INERTIAL_PASSES = 100;

// What can keep a star from being moved, as the bits of the standard
// routines' status: a space velocity above SPEED_LIMIT_OF_C, and a
// relativistic iteration still unsettled after its last pass; and a
// position that is not a finite vector, for which they return -1.
enum MotionFault { TOO_FAST = 2, UNSETTLED = 4, NO_POSITION = 8 };

// A star as a catalogue gives it, at its catalogue epoch.
struct CatalogueStar {
	double ra, dec;          // right ascension and declination, radians
	double mu_alpha;         // d(ra)/dt, radians a Julian year (not mu_alpha cos dec)
	double mu_delta;         // d(dec)/dt, radians a Julian year
	double parallax;         // seconds of arc; 0 (or less) when unknown
	double radial_velocity;  // km/s, positive receding; 0 when unknown
};

// The inertial (space) velocity of a star from its observed velocity, by
// special relativity.
//
// Given:
//    u        the star's unit position vector
//    v        its observed velocity, au a day; |v| at most c / 2
//             (moved_star() sees to it)
// Returned:
//    (value)  its inertial velocity, au a day; at most 0.6 c (measured on
//             a grid of beta_sr and beta_st; a radial c / 2 gives exactly
//             0.6 c), so that c^2 - v^2 stays positive in moved_star()
//    *settled false if the iteration was still unsettled after its last
//             pass by more than rounding (none has been seen)
// Notes:
// 1. v is split along u into a radial part vsr u and a transverse part of
//    magnitude vst; from beta_sr = vsr / c and beta_st = vst / c, the
//    iteration k = 1 + beta_r, s = beta_r^2 + beta_t^2, e = -s / (sqrt(1 -
//    s) + 1), beta_r = k beta_sr + e, beta_t = k beta_st, from beta_r =
//    beta_sr and beta_t = beta_st, until from the third pass on neither
//    |k - k_previous| nor |e - e_previous| shrinks (at most
//    INERTIAL_PASSES passes); then c (k beta_sr + e) u + k (transverse
//    part).
// 2. The correction is of order beta^2: 1e-4 of the velocity at 1% of c,
//    1e-8 at 30 km/s.
// References:
//    the standard routines' eraStarpv (its inverse, in eraPvstar, is not
//    needed for a position)
inline Vec inertial_velocity(const Vec &u, const Vec &v, bool *settled)
{
	double vsr = dot(u, v);
	Vec radial = {vsr * u.x, vsr * u.y, vsr * u.z};
	Vec transverse = {v.x - radial.x, v.y - radial.y, v.z - radial.z};
	double vst = std::sqrt(dot(transverse, transverse));
	double beta_sr = vsr / LIGHT_AU_PER_DAY;
	double beta_st = vst / LIGHT_AU_PER_DAY;
	double beta_r = beta_sr, beta_t = beta_st;
	double k = 1, e = 0, k_last = 0, e_last = 0, dk_last = 0, de_last = 0;
	int pass = 1;
	for (; pass <= INERTIAL_PASSES; pass++) {
		k = 1 + beta_r;
		double s = beta_r * beta_r + beta_t * beta_t;
		e = -s / (std::sqrt(1 - s) + 1);
		beta_r = k * beta_sr + e;
		beta_t = k * beta_st;
		if (pass > 1) {
			double dk = std::fabs(k - k_last), de = std::fabs(e - e_last);
			if (pass > 2 && dk >= dk_last && de >= de_last)
				break;
			dk_last = dk;
			de_last = de;
		}
		k_last = k;
		e_last = e;
	}
	// After its last pass, the iteration is settled all the same if its
	// changes are those of rounding: a few units in the last place of k
	// and e, which can take turns, the one 0 where the other is not, so
	// that the test above never holds (the standard routines then flag
	// ordinary stars given no parallax, 1 in 10,000 of them).
	const double ULPS = 4 * DBL_EPSILON;
	*settled = pass <= INERTIAL_PASSES || (dk_last <= ULPS * std::fabs(k) && de_last <= ULPS * std::fabs(e));
	double w = LIGHT_AU_PER_DAY * (k * beta_sr + e);
	return Vec{w * u.x + k * transverse.x, w * u.y + k * transverse.y, w * u.z + k * transverse.z};
}

// What a move says besides the star's direction: whether it could be
// moved, and of its distance, so that its parallax at the new epoch is the
// catalogue's times ratio, unless the guard raised the parallax.
struct Moved {
	int faults;   // 0, or MotionFault bits
	double ratio; // |p0| / |p1|: the star's distance at from_epoch over that at to_epoch
	bool raised;  // the guard raised the parallax given: the distance stands in for an unknown one
};

// A star's position at one Julian epoch from its catalogue data at
// another, and what the move says of its distance.
//
// Given:
//    star        the catalogue data (above), finite
//    from_epoch  the Julian epoch of the data, years (TT)
//    to_epoch    the Julian epoch of the position wanted, years (TT); any,
//                the same, earlier or later; tested from 1000 to 3000
// Returned:
//    (value)     the unit vector of the star's position at to_epoch;
//                direction() gives (ra, dec), in radians
//    *moved      faults: 0, or the MotionFault bits that keep the star
//                from being moved, TOO_FAST or NO_POSITION, and then the
//                value is no position, or UNSETTLED; ratio: that of the
//                star's distances (au) at the two epochs, |p0| / |p1|, p0
//                the position at from_epoch and p1 that at to_epoch (its
//                light-time corrected place); raised: whether the guard
//                raised the parallax given
// Notes:
// 1. The steps, in this order: the parallax guard, p' = max(parallax, 326
//    m, 5e-7), m the star's motion in a year as an angle (radians), the
//    separation of (ra, dec) and (ra + mu_alpha, dec + mu_delta), so that
//    a parallax of 0 or below is raised and the star taken as distant; the
//    position (au) at distance ARCSEC_PER_RADIAN / p' and the velocity (au
//    a day) from the radial velocity and the rates a day, a speed above
//    c / 2 a fault, which the standard routines flag and answer with the
//    star left where it is; the velocity from observed to inertial
//    (inertial_velocity()), its iteration unsettled a fault; the light
//    time, t1 = |p| / c and dt = (to_epoch - from_epoch) x 365.25 days,
//    t2 the light time from the position p + (dt + t1) v, the star at p +
//    (dt + (t1 - t2)) v; and its direction.
// 2. The motion is a straight line at constant speed: no orbit, no
//    acceleration.  With a parallax and a radial velocity it agrees with
//    the standard routines within 0.01 mas (measured: 3e-6 mas).
// 3. A star with no parallax is placed where it moves at about 1% of c,
//    and relativity gives it a radial velocity of c beta^2 / 2, 15 km/s,
//    with a perspective term and a light time of its own.  The standard
//    routines do the same, but their releases before October 2023 drop
//    that radial velocity where the observed one rounds to exactly 0, as
//    it may for a star given none; there they part from this one by about
//    5e-5 of the proper motion's displacement, more for fast stars
//    (tests/models_test.cpp measures it over 500 years).
// 4. from_epoch = to_epoch gives the catalogue position to the light-time
//    step's rounding (1e-7 mas), not bit for bit.
// 5. A parallax raised by the guard is used silently, as it is meant to
//    be for a star given none or a negative one.  The position may still
//    not be finite for extreme data (a parallax of 1e200 mas): callers
//    check.
// 6. The parallax at to_epoch is the catalogue's times the ratio, as the
//    standard routines return it (parallax_at_epoch()); with a raised
//    parallax the star has none to apply.
// References:
//    the standard routines' eraPmsafe, eraStarpv and eraStarpm
inline Vec moved_star(const CatalogueStar &star, double from_epoch, double to_epoch, Moved *moved)
{
	double sa = std::sin(star.ra), ca = std::cos(star.ra);
	double sd = std::sin(star.dec), cd = std::cos(star.dec);

	// 1. The parallax guard.
	Vec a = {cd * ca, cd * sa, sd};
	Vec b = unit_vector(star.ra + star.mu_alpha, star.dec + star.mu_delta);
	double motion = angle_between(a, b);
	double parallax = star.parallax;
	if (parallax < PARALLAX_PER_MOTION * motion)
		parallax = PARALLAX_PER_MOTION * motion;
	if (parallax < PARALLAX_FLOOR)
		parallax = PARALLAX_FLOOR;
	moved->raised = parallax != star.parallax;
	moved->ratio = 1;

	// 2. Position (au) and velocity (au a day).
	double r = ARCSEC_PER_RADIAN / parallax; // the guard keeps it from 0
	double rdot = DAY_S * star.radial_velocity * 1000 / AU_M;
	double ra_rate = star.mu_alpha / JULIAN_YEAR_DAYS;
	double dec_rate = star.mu_delta / JULIAN_YEAR_DAYS;
	double rcd = r * cd;
	Vec p = {rcd * ca, rcd * sa, r * sd};
	double rpd = r * dec_rate;
	double w = rpd * sd - cd * rdot;
	Vec v = {-p.y * ra_rate - w * ca, p.x * ra_rate - w * sa, rpd * cd + sd * rdot};
	moved->faults = 0;
	if (std::sqrt(dot(v, v)) / LIGHT_AU_PER_DAY > SPEED_LIMIT_OF_C) {
		moved->faults = TOO_FAST;
		return Vec{0, 0, 0};
	}

	// 3. Observed to inertial velocity, from a position of finite length
	// but 0 (a parallax of 1e200 mas puts a star at 2e-192 au, whose
	// length squared is 0).
	double length = std::sqrt(dot(p, p));
	if (!(length > 0) || !std::isfinite(length)) {
		moved->faults = NO_POSITION;
		return Vec{0, 0, 0};
	}
	bool settled;
	v = inertial_velocity(Vec{p.x / length, p.y / length, p.z / length}, v, &settled);
	if (!settled)
		moved->faults |= UNSETTLED;

	// 4. The light time at both epochs.
	double t1 = length / LIGHT_AU_PER_DAY;
	double dt = (to_epoch - from_epoch) * JULIAN_YEAR_DAYS;
	Vec q = {p.x + (dt + t1) * v.x, p.y + (dt + t1) * v.y, p.z + (dt + t1) * v.z};
	double qv = dot(q, v);
	double c2v2 = LIGHT_AU_PER_DAY * LIGHT_AU_PER_DAY - dot(v, v);
	double t2 = (-qv + std::sqrt(qv * qv + c2v2 * dot(q, q))) / c2v2;
	double t = dt + (t1 - t2);
	Vec at = {p.x + t * v.x, p.y + t * v.y, p.z + t * v.z};

	// 5. The direction.
	double size = std::sqrt(dot(at, at));
	moved->ratio = length / size;
	return Vec{at.x / size, at.y / size, at.z / size};
}

// A star's parallax at the epoch moved_star() took it to, seconds of arc:
// the catalogue's times the ratio of the distances, or 0, none, where the
// guard raised it.
inline double parallax_at_epoch(const CatalogueStar &star, const Moved &moved)
{
	return moved.raised ? 0 : star.parallax * moved.ratio;
}

#endif
