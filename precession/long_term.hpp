// The long-term precession of --model=long-term (Vondrak, Capitaine &
// Wallace 2011): its matrix, from the mean equator and equinox of J2000.0
// to those of a Julian epoch from -198000 to 202000, built from its poles
// of the equator and of the ecliptic.  No frame bias, nutation, aberration
// or proper motion.  Uses angles.hpp, epochs.hpp, rotations.hpp and the
// obliquity at J2000.0 of iau2006.hpp.
#ifndef PRECESSION_LONG_TERM_HPP
#define PRECESSION_LONG_TERM_HPP

#include <cmath>

#include "angles.hpp"
#include "epochs.hpp"
#include "iau2006.hpp"
#include "rotations.hpp"

// One periodic term of a long-term series: the period in centuries, and
// the cosine and sine coefficients of the two quantities, in seconds of
// arc: the first's cosine, the second's cosine, the first's sine, the
// second's sine.
struct Periodic {
	double period, c1, c2, s1, s2;
};

// Two series of the long-term model at once.
//
// Given:
//    t        Julian centuries of TT since J2000.0
//    terms    the periodic terms, in seconds of arc
//    poly1    the first series' cubic polynomial in t, seconds of arc
//    poly2    the second's
// Returned:
//    *a, *b   the two series at t, radians
// Notes:
// 1. The periodic terms are summed first, in the order given, then the
//    polynomials, power by power.
template <int N>
inline void long_term_series(double t, const Periodic (&terms)[N], const double (&poly1)[4],
                             const double (&poly2)[4], double *a, double *b)
{
	double x = 0, y = 0, w = 2 * PI * t;
	for (const Periodic &term : terms) {
		double angle = w / term.period;
		double s = std::sin(angle), c = std::cos(angle);
		x += c * term.c1 + s * term.s1;
		y += c * term.c2 + s * term.s2;
	}
	double power = 1;
	for (int i = 0; i < 4; i++) {
		x += poly1[i] * power;
		y += poly2[i] * power;
		power *= t;
	}
	*a = x * ARCSEC;
	*b = y * ARCSEC;
}

// The long-term model's mean equator pole.
//
// Given:
//    epoch    Julian epoch, years (TT); span -198000 to 202000
// Returned:
//    (value)  the pole as a unit vector in the J2000.0 frame
// Notes:
// 1. (X, Y, sqrt(1 - X^2 - Y^2)), X and Y the series of Table 2; a
//    rounding that takes X^2 + Y^2 past 1 gives Z = 0.
// References:
//    Vondrak, J., Capitaine, N. & Wallace, P. 2011, A&A 534, A22, Table 2
//    the standard routines' eraLtpequ
inline Vec long_term_equator_pole(double epoch)
{
	static constexpr Periodic TERMS[] = {
		{256.75, -819.940624, 75004.344875, 81491.287984, 1558.515853},
		{708.15, -8444.676815, 624.033993, 787.163481, 7774.939698},
		{274.20, 2600.009459, 1251.136893, 1251.296102, -2219.534038},
		{241.45, 2755.175630, -1102.212834, -1257.950837, -2523.969396},
		{2309.00, -167.659835, -2660.664980, -2966.799730, 247.850422},
		{492.20, 871.855056, 699.291817, 639.744522, -846.485643},
		{396.10, 44.769698, 153.167220, 131.600209, -1393.124055},
		{288.90, -512.313065, -950.865637, -445.040117, 368.526116},
		{231.10, -819.415595, 499.754645, 584.522874, 749.045012},
		{1610.00, -538.071099, -145.188210, -89.756563, 444.704518},
		{620.00, -189.793622, 558.116553, 524.429630, 235.934465},
		{157.87, -402.922932, -23.923029, -13.549067, 374.049623},
		{220.30, 179.516345, -165.405086, -210.157124, -171.330180},
		{1200.00, -9.814756, 9.344131, -44.919798, -22.899655},
	};
	static constexpr double X[4] = {5453.282155, 0.4252841, -0.00037173, -0.000000152};
	static constexpr double Y[4] = {-73750.930350, -0.7675452, -0.00018725, 0.000000231};
	double x, y;
	long_term_series(centuries_since_2000(epoch), TERMS, X, Y, &x, &y);
	double w = 1 - x * x - y * y;
	return Vec{x, y, w < 0 ? 0 : std::sqrt(w)};
}

// The long-term model's ecliptic pole.
//
// Given:
//    epoch    Julian epoch, years (TT); span -198000 to 202000
// Returned:
//    (value)  the pole as a unit vector in the J2000.0 frame
// Notes:
// 1. From the series PA and QA of Table 1, with the corrigendum of 2012,
//    turned from the ecliptic to the equator of J2000.0 by the obliquity
//    at J2000.0 (OBLIQUITY_J2000_ARCSEC).
// References:
//    Vondrak, J., Capitaine, N. & Wallace, P. 2011, A&A 534, A22, Table 1;
//    corrigendum 2012, A&A 541, C1
//    the standard routines' eraLtpecl
inline Vec long_term_ecliptic_pole(double epoch)
{
	static constexpr Periodic TERMS[] = {
		{708.15, -5486.751211, -684.661560, 667.666730, -5523.863691},
		{2309.00, -17.127623, 2446.283880, -2354.886252, -549.747450},
		{1620.00, -617.517403, 399.671049, -428.152441, -310.998056},
		{492.20, 413.442940, -356.652376, 376.202861, 421.535876},
		{1183.00, 78.614193, -186.387003, 184.778874, -36.776172},
		{622.00, -180.732815, -316.800070, 335.321713, -145.278396},
		{882.00, -87.676083, 198.296701, -185.138669, -34.744450},
		{547.00, 46.140315, 101.135679, -120.972830, 22.885731},
	};
	static constexpr double P[4] = {5851.607687, -0.1189000, -0.00028913, 0.000000101};
	static constexpr double Q[4] = {-1600.886300, 1.1689818, -0.00000020, -0.000000437};
	const double eps0 = OBLIQUITY_J2000_ARCSEC * ARCSEC;
	double p, q;
	long_term_series(centuries_since_2000(epoch), TERMS, P, Q, &p, &q);
	double w = 1 - p * p - q * q;
	w = w < 0 ? 0 : std::sqrt(w);
	return Vec{p, -q * std::cos(eps0) - w * std::sin(eps0), -q * std::sin(eps0) + w * std::cos(eps0)};
}

// The long-term precession matrix.
//
// Given:
//    epoch    Julian epoch, years (TT); span -198000 to 202000
// Returned:
//    (value)  P, from the mean equator and equinox of J2000.0 to those of
//             the epoch: v_epoch = P v_J2000
// Notes:
// 1. Its rows are the equinox of the epoch e (along n x k, normalised,
//    with n the equator pole and k the ecliptic pole), then n x e, then n.
// 2. Its authors state it good to a few seconds of arc over the
//    historical period and to a few tenths of a degree at the ends of its
//    span.
// References:
//    Vondrak, J., Capitaine, N. & Wallace, P. 2011, A&A 534, A22
//    the standard routines' eraLtp
inline Matrix long_term_matrix(double epoch)
{
	Vec n = long_term_equator_pole(epoch);
	Vec k = long_term_ecliptic_pole(epoch);
	Vec e = cross(n, k);
	double length = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
	e = Vec{e.x / length, e.y / length, e.z / length};
	Vec m = cross(n, e);
	return Matrix{{{e.x, e.y, e.z}, {m.x, m.y, m.z}, {n.x, n.y, n.z}}};
}

#endif
