// The apparent place of a star: its direction seen from the geocentre,
// referred to the true equator and equinox of date.  From its ICRS
// direction at the date (moved_star() of space_motion.hpp takes it there)
// and the date's EarthState (earth.hpp): the annual parallax, the light
// deflection by the Sun, the aberration, then the frame bias, precession
// and nutation.  Left out: the deflection by the planets, diurnal
// aberration and parallax, polar motion and refraction.  Vectors are in au
// and au a day, in the ICRS until the last rotation.  Uses angles.hpp,
// earth.hpp, frame_bias.hpp, iau2006.hpp, nutation.hpp, rotations.hpp and
// space_motion.hpp.
#ifndef PRECESSION_APPARENT_HPP
#define PRECESSION_APPARENT_HPP

#include <cmath>

#include "angles.hpp"
#include "earth.hpp"
#include "frame_bias.hpp"
#include "iau2006.hpp"
#include "nutation.hpp"
#include "rotations.hpp"
#include "space_motion.hpp"

// The Sun's Schwarzschild radius, 2 G M / c^2, au: from the Sun's
// gravitational parameter of the IAU 2009 system of constants, as the
// standard routines take it.
constexpr double SUN_SCHWARZSCHILD_AU = 1.97412574336e-8;

// The light deflection's limit: q . (q + e), which is 0 for a star
// exactly behind the Sun, is taken as at least this over the square of the
// observer's distance from the Sun (au), or over 1 within 1 au (the
// standard routines' eraLdsun).
constexpr double DEFLECTION_LIMIT = 1e-6;

// The matrix from the ICRS to the true equator and equinox of date.
//
// Given:
//    epoch    Julian epoch, years (TT); span as nutation_matrix()
//    bias     the frame bias matrix B, frame_bias_matrix()
// Returned:
//    (value)  N P B: v_true = N P B v_ICRS, with N = nutation_matrix()
//             and P = iau2006_matrix() of the epoch
// Notes:
// 1. With the IAU 2000B nutation: within 0.001 mas of the standard
//    routines' matrix of the same nutation from 1900 to 2100, and within
//    2.7 mas of the full nutation model's.
// References:
//    the standard routines' eraPn06, given eraNut00b's angles
inline Matrix true_equator_matrix(double epoch, const Matrix &bias)
{
	return product(nutation_matrix(epoch), product(iau2006_matrix(epoch), bias));
}

// The annual parallax: a star's direction from the Earth rather than from
// the barycentre.
//
// Given:
//    p         the star's direction from the barycentre, a unit vector
//    parallax  its parallax, seconds of arc, more than 0
//    earth     the Earth's barycentric position, au
// Returned:
//    (value)   its direction from the Earth, a unit vector: p - w b
//              normalised, w the parallax in radians and b the Earth
// Notes:
// 1. The star's own motion has taken it to the date already, so the light
//    time across the Earth's orbit (the Roemer delay, up to 500 s) is not
//    applied to it: 0.2 mas at most, for Barnard's star.
// References:
//    the standard routines' eraPmpx, with no proper motion or radial
//    velocity
inline Vec annual_parallax(const Vec &p, double parallax, const Vec &earth)
{
	double w = parallax * ARCSEC;
	Vec q = {p.x - w * earth.x, p.y - w * earth.y, p.z - w * earth.z};
	double size = std::sqrt(dot(q, q));
	return Vec{q.x / size, q.y / size, q.z / size};
}

// The light deflection by the Sun, for a star.
//
// Given:
//    p        the star's direction from the observer, a unit vector
//    e        the observer's direction from the Sun, a unit vector
//    em       the observer's distance from the Sun, au
// Returned:
//    (value)  the deflected direction: p + w p x (e x p), with w the
//             Schwarzschild radius over em over max(p . (p + e), limit)
// Notes:
// 1. For a star the Sun's and the observer's directions to it are one, p.
// 2. Some 4 mas at 90 degrees from the Sun, 1" at 0.5 degrees; behind the
//    Sun the limit (DEFLECTION_LIMIT) bounds it.  The result is not
//    normalised: the change is at right angles to p to first order.
// References:
//    the standard routines' eraLdsun and eraLd
inline Vec deflected_by_sun(const Vec &p, const Vec &e, double em)
{
	Vec pe = {p.x + e.x, p.y + e.y, p.z + e.z};
	double limit = DEFLECTION_LIMIT / (em * em > 1 ? em * em : 1);
	double pdpe = dot(p, pe);
	double w = SUN_SCHWARZSCHILD_AU / em / (pdpe > limit ? pdpe : limit);
	Vec deflection = cross(p, cross(e, p));
	return Vec{p.x + w * deflection.x, p.y + w * deflection.y, p.z + w * deflection.z};
}

// The aberration: the proper direction seen by an observer in motion.
//
// Given:
//    p        the natural direction, a unit vector (after the deflection)
//    v        the observer's barycentric velocity, in units of c
//    s        the observer's distance from the Sun, au
//    bm1      sqrt(1 - |v|^2), the reciprocal of the Lorentz factor
// Returned:
//    (value)  the proper direction, a unit vector: bm1 p + w1 v + w2 (v -
//             (p . v) p), normalised, with w1 = 1 + p . v / (1 + bm1) and
//             w2 the Sun's Schwarzschild radius over s
// Notes:
// 1. Relativistic, to all orders in v; the w2 term is the Sun's
//    gravitational potential at the observer, some 1e-8 of v's effect.
// References:
//    the standard routines' eraAb
inline Vec aberrated(const Vec &p, const Vec &v, double s, double bm1)
{
	double pdv = dot(p, v);
	double w1 = 1 + pdv / (1 + bm1), w2 = SUN_SCHWARZSCHILD_AU / s;
	Vec q = {bm1 * p.x + w1 * v.x + w2 * (v.x - pdv * p.x), bm1 * p.y + w1 * v.y + w2 * (v.y - pdv * p.y),
	         bm1 * p.z + w1 * v.z + w2 * (v.z - pdv * p.z)};
	double size = std::sqrt(dot(q, q));
	return Vec{q.x / size, q.y / size, q.z / size};
}

// A star's apparent place.
//
// Given:
//    star      its ICRS direction from the barycentre at the date, a unit
//              vector: moved_star() to the date for a star with motion, its
//              catalogue place for one without
//    parallax  its parallax at the date, seconds of arc
//              (parallax_at_epoch()); 0 or less for none
//    earth     earth_state() of the date
//    npb       true_equator_matrix() of the date
// Returned:
//    *ra       the apparent right ascension, radians, 0 to 2 pi
//    *dec      the apparent declination, radians
// Notes:
// 1. The steps, in this order: the annual parallax from the Earth's
//    barycentric position; the deflection by the Sun, from the Earth's
//    heliocentric position; the aberration, with the Earth's barycentric
//    velocity over c; the rotation by npb.  Using the heliocentric Earth
//    for the parallax would cost 7.5 mas for alpha Centauri.
// 2. Against the standard routines' chain with the same nutation and
//    their full ephemeris of the Earth, from 1900 to 2100: within 0.5 mas
//    for stars more than 3 degrees from the Sun, the velocity series'
//    error in the aberration the most of it.  Nearer the Sun the error in
//    the Sun's direction (25") grows in the deflection: up to 0.7 mas from
//    2 to 3 degrees, 2.6 mas from 1 to 2, and some 35 mas at the Sun's
//    limb, 0.27 degrees.
// 3. Against the full nutation model the true equator is within 2.7 mas
//    (nutation_angles()).
// References:
//    the standard routines' eraAtciq (the steps) and eraApcs (the Earth's
//    velocity in units of c), with eraPn06
inline void apparent_place(const Vec &star, double parallax, const EarthState &earth, const Matrix &npb, double *ra,
                           double *dec)
{
	Vec p = parallax > 0 ? annual_parallax(star, parallax, earth.barycentric) : star;
	const Vec &h = earth.heliocentric;
	double em = std::sqrt(dot(h, h));
	p = deflected_by_sun(p, Vec{h.x / em, h.y / em, h.z / em}, em);
	const Vec &vb = earth.velocity;
	Vec v = {vb.x / LIGHT_AU_PER_DAY, vb.y / LIGHT_AU_PER_DAY, vb.z / LIGHT_AU_PER_DAY};
	p = aberrated(p, v, em, std::sqrt(1 - dot(v, v)));
	direction(rotated(npb, p), ra, dec);
}

#endif
