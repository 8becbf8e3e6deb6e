// The nutation of the IAU 2000B model and the nutation matrix that it
// makes with the IAU 2006 mean obliquity, for precession's true equator
// and equinox of date.
//
// The nutation matrix N turns a position referred to the mean equator and
// equinox of a Julian epoch (TT) into the true equator and equinox of that
// epoch; from the mean equator and equinox of J2000.0, v_true = N P v, with
// P a precession matrix (iau2006.hpp).  Neither includes frame bias,
// aberration, light deflection or proper motion.  Uses angles.hpp,
// epochs.hpp, iau2006.hpp and rotations.hpp.
#ifndef PRECESSION_NUTATION_HPP
#define PRECESSION_NUTATION_HPP

#include <cmath>
#include <cstdint>

#include "angles.hpp"
#include "epochs.hpp"
#include "iau2006.hpp"
#include "rotations.hpp"

// The nutation series' unit, a tenth of a microsecond of arc (1e-7
// seconds of arc), in radians.
constexpr double TENTH_MICROARCSEC = ARCSEC / 1e7;

// A full turn in seconds of arc, the period of the fundamental arguments.
constexpr double TURN_ARCSEC = 1296000;

// An angle as its cosine and sine: the terms of the nutation series are
// built from these by angle addition.
struct CosSin {
	double c, s;
};

// The angle a + b: cos(a + b) = cos a cos b - sin a sin b, and sin(a + b) =
// sin a cos b + cos a sin b.  Adding an angle of 0, (1, 0), returns a exactly.
inline CosSin angle_sum(const CosSin &a, const CosSin &b)
{
	return CosSin{a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

// The largest multiple of a fundamental argument in the nutation series,
// in either direction.
constexpr int NUTATION_MULTIPLE = 4;

// The 77 luni-solar terms of IAU 2000B, the largest first (McCarthy &
// Luzum 2003): each term's multiples of l, l', F, D and Omega.
constexpr int8_t NUTATION_MULTIPLES[][5] = {
	{0, 0, 0, 0, 1},   {0, 0, 2, -2, 2},  {0, 0, 2, 0, 2},   {0, 0, 0, 0, 2},   {0, 1, 0, 0, 0},
	{0, 1, 2, -2, 2},  {1, 0, 0, 0, 0},   {0, 0, 2, 0, 1},   {1, 0, 2, 0, 2},   {0, -1, 2, -2, 2},
	{0, 0, 2, -2, 1},  {-1, 0, 2, 0, 2},  {-1, 0, 0, 2, 0},  {1, 0, 0, 0, 1},   {-1, 0, 0, 0, 1},
	{-1, 0, 2, 2, 2},  {1, 0, 2, 0, 1},   {-2, 0, 2, 0, 1},  {0, 0, 0, 2, 0},   {0, 0, 2, 2, 2},
	{0, -2, 2, -2, 2}, {-2, 0, 0, 2, 0},  {2, 0, 2, 0, 2},   {1, 0, 2, -2, 2},  {-1, 0, 2, 0, 1},
	{2, 0, 0, 0, 0},   {0, 0, 2, 0, 0},   {0, 1, 0, 0, 1},   {-1, 0, 0, 2, 1},  {0, 2, 2, -2, 2},
	{0, 0, -2, 2, 0},  {1, 0, 0, -2, 1},  {0, -1, 0, 0, 1},  {-1, 0, 2, 2, 1},  {0, 2, 0, 0, 0},
	{1, 0, 2, 2, 2},   {-2, 0, 2, 0, 0},  {0, 1, 2, 0, 2},   {0, 0, 2, 2, 1},   {0, -1, 2, 0, 2},
	{0, 0, 0, 2, 1},   {1, 0, 2, -2, 1},  {2, 0, 2, -2, 2},  {-2, 0, 0, 2, 1},  {2, 0, 2, 0, 1},
	{0, -1, 2, -2, 1}, {0, 0, 0, -2, 1},  {-1, -1, 0, 2, 0}, {2, 0, 0, -2, 1},  {1, 0, 0, 2, 0},
	{0, 1, 2, -2, 1},  {1, -1, 0, 0, 0},  {-2, 0, 2, 0, 2},  {3, 0, 2, 0, 2},   {0, -1, 0, 2, 0},
	{1, -1, 2, 0, 2},  {0, 0, 0, 1, 0},   {-1, -1, 2, 2, 2}, {-1, 0, 2, 0, 0},  {0, -1, 2, 2, 2},
	{-2, 0, 0, 0, 1},  {1, 1, 2, 0, 2},   {2, 0, 0, 0, 1},   {-1, 1, 0, 1, 0},  {1, 1, 0, 0, 0},
	{1, 0, 2, 0, 0},   {-1, 0, 2, -2, 1}, {1, 0, 0, 0, 2},   {-1, 0, 0, 1, 0},  {0, 0, 2, 1, 2},
	{-1, 0, 2, 4, 2},  {-1, 1, 0, 1, 1},  {0, -2, 2, -2, 1}, {1, 0, 2, 2, 1},   {-2, 0, 2, 2, 2},
	{-1, 0, 0, 0, 2},  {1, 1, 2, -2, 2},
};
// Each term's coefficients, in tenths of a microsecond of arc: in
// longitude S, its rate dS/dt per century, and C'; in obliquity C, its
// rate dC/dt per century, and S'.
constexpr int32_t NUTATION_COEFFICIENTS[][6] = {
	{-172064161, -174666, 33386, 92052331, 9086, 15377},
	{-13170906, -1675, -13696, 5730336, -3015, -4587},
	{-2276413, -234, 2796, 978459, -485, 1374},
	{2074554, 207, -698, -897492, 470, -291},
	{1475877, -3633, 11817, 73871, -184, -1924},
	{-516821, 1226, -524, 224386, -677, -174},
	{711159, 73, -872, -6750, 0, 358},
	{-387298, -367, 380, 200728, 18, 318},
	{-301461, -36, 816, 129025, -63, 367},
	{215829, -494, 111, -95929, 299, 132},
	{128227, 137, 181, -68982, -9, 39},
	{123457, 11, 19, -53311, 32, -4},
	{156994, 10, -168, -1235, 0, 82},
	{63110, 63, 27, -33228, 0, -9},
	{-57976, -63, -189, 31429, 0, -75},
	{-59641, -11, 149, 25543, -11, 66},
	{-51613, -42, 129, 26366, 0, 78},
	{45893, 50, 31, -24236, -10, 20},
	{63384, 11, -150, -1220, 0, 29},
	{-38571, -1, 158, 16452, -11, 68},
	{32481, 0, 0, -13870, 0, 0},
	{-47722, 0, -18, 477, 0, -25},
	{-31046, -1, 131, 13238, -11, 59},
	{28593, 0, -1, -12338, 10, -3},
	{20441, 21, 10, -10758, 0, -3},
	{29243, 0, -74, -609, 0, 13},
	{25887, 0, -66, -550, 0, 11},
	{-14053, -25, 79, 8551, -2, -45},
	{15164, 10, 11, -8001, 0, -1},
	{-15794, 72, -16, 6850, -42, -5},
	{21783, 0, 13, -167, 0, 13},
	{-12873, -10, -37, 6953, 0, -14},
	{-12654, 11, 63, 6415, 0, 26},
	{-10204, 0, 25, 5222, 0, 15},
	{16707, -85, -10, 168, -1, 10},
	{-7691, 0, 44, 3268, 0, 19},
	{-11024, 0, -14, 104, 0, 2},
	{7566, -21, -11, -3250, 0, -5},
	{-6637, -11, 25, 3353, 0, 14},
	{-7141, 21, 8, 3070, 0, 4},
	{-6302, -11, 2, 3272, 0, 4},
	{5800, 10, 2, -3045, 0, -1},
	{6443, 0, -7, -2768, 0, -4},
	{-5774, -11, -15, 3041, 0, -5},
	{-5350, 0, 21, 2695, 0, 12},
	{-4752, -11, -3, 2719, 0, -3},
	{-4940, -11, -21, 2720, 0, -9},
	{7350, 0, -8, -51, 0, 4},
	{4065, 0, 6, -2206, 0, 1},
	{6579, 0, -24, -199, 0, 2},
	{3579, 0, 5, -1900, 0, 1},
	{4725, 0, -6, -41, 0, 3},
	{-3075, 0, -2, 1313, 0, -1},
	{-2904, 0, 15, 1233, 0, 7},
	{4348, 0, -10, -81, 0, 2},
	{-2878, 0, 8, 1232, 0, 4},
	{-4230, 0, 5, -20, 0, -2},
	{-2819, 0, 7, 1207, 0, 3},
	{-4056, 0, 5, 40, 0, -2},
	{-2647, 0, 11, 1129, 0, 5},
	{-2294, 0, -10, 1266, 0, -4},
	{2481, 0, -7, -1062, 0, -3},
	{2179, 0, -2, -1129, 0, -2},
	{3276, 0, 1, -9, 0, 0},
	{-3389, 0, 5, 35, 0, -2},
	{3339, 0, -13, -107, 0, 1},
	{-1987, 0, -6, 1073, 0, -2},
	{-1981, 0, 0, 854, 0, 0},
	{4026, 0, -353, -553, 0, -139},
	{1660, 0, -5, -710, 0, -2},
	{-1521, 0, 9, 647, 0, 4},
	{1314, 0, 0, -700, 0, 0},
	{-1283, 0, 0, 672, 0, 0},
	{-1331, 0, 8, 663, 0, 4},
	{1383, 0, -2, -594, 0, -2},
	{1405, 0, 4, -610, 0, 2},
	{1290, 0, 0, -556, 0, 0},
};
constexpr int NUTATION_TERMS = sizeof NUTATION_MULTIPLES / sizeof NUTATION_MULTIPLES[0];
static_assert(NUTATION_TERMS == sizeof NUTATION_COEFFICIENTS / sizeof NUTATION_COEFFICIENTS[0],
              "one row of coefficients a term");

// The nutation in longitude and in obliquity, IAU 2000B.
//
// Given:
//    t        Julian centuries of TT since J2000.0
// Returned:
//    *dpsi    the nutation in longitude, radians
//    *deps    the nutation in obliquity, radians
// Notes:
// 1. The 77 luni-solar terms, summed from the smallest to the largest,
//    then the fixed offsets that stand in for the planetary terms, -0.135
//    mas in longitude and +0.388 mas in obliquity.
// 2. Span: the model is stated good to 1 mas against the full IAU 2000A
//    model from 1995 to 2050, and to about 1 mas from 1900 to 2100; that
//    figure is the celestial pole's, (dpsi sin epsA, deps).  Measured
//    against the full model with its IAU 2006 adjustments: the pole within
//    1.0 mas from 1995 to 2050 and 1.2 mas from 1900 to 2100; dpsi itself,
//    and so a position near the ecliptic, within 2.5 and 2.7 mas.  The
//    terms keep their meaning for some centuries either side, with errors
//    that grow.
// 3. Only the five fundamental arguments go through sin and cos, each
//    reduced to a turn in seconds of arc before it becomes radians.  Each
//    term's argument, a sum of small multiples of them, comes by angle
//    addition from their multiples, themselves built by the recurrence
//    (k + 1) x = k x + x: each step adds a rounding of about 1e-16, so
//    that a term's sine and cosine are good to some 1e-15, a few 1e-14
//    seconds of arc on the largest term; the sums agree with a term by
//    term evaluation to some 1e-11 seconds of arc.
// References:
//    McCarthy, D.D. & Luzum, B.J. 2003, Celest. Mech. Dyn. Astron. 85, 37
//    (the terms and the offsets); the fundamental arguments are the
//    Delaunay arguments of Simon, J.L. et al. 1994, A&A 282, 663, as
//    that model takes them
//    the standard routines' eraNut00b
inline void nutation_angles(double t, double *dpsi, double *deps)
{
	// The fundamental arguments (Simon et al. 1994), in seconds of arc, each
	// reduced to a turn before it becomes radians: the Moon's mean anomaly
	// l, the Sun's l', the Moon's argument of latitude F, its elongation
	// from the Sun D, and the longitude of its ascending node Omega.
	const double argument[5] = {
		std::fmod(485868.249036 + 1717915923.2178 * t, TURN_ARCSEC) * ARCSEC,
		std::fmod(1287104.79305 + 129596581.0481 * t, TURN_ARCSEC) * ARCSEC,
		std::fmod(335779.526232 + 1739527262.8478 * t, TURN_ARCSEC) * ARCSEC,
		std::fmod(1072260.70369 + 1602961601.2090 * t, TURN_ARCSEC) * ARCSEC,
		std::fmod(450160.398036 + -6962890.5431 * t, TURN_ARCSEC) * ARCSEC,
	};
	// multiple[a][NUTATION_MULTIPLE + k]: the angle k times argument a, for
	// k from -NUTATION_MULTIPLE to NUTATION_MULTIPLE.
	CosSin multiple[5][2 * NUTATION_MULTIPLE + 1];
	for (int a = 0; a < 5; a++) {
		CosSin *m = multiple[a] + NUTATION_MULTIPLE;
		m[0] = CosSin{1, 0};
		m[1] = CosSin{std::cos(argument[a]), std::sin(argument[a])};
		for (int k = 2; k <= NUTATION_MULTIPLE; k++)
			m[k] = angle_sum(m[k - 1], m[1]);
		for (int k = 1; k <= NUTATION_MULTIPLE; k++)
			m[-k] = CosSin{m[k].c, -m[k].s};
	}

	double dp = 0, de = 0;
	for (int i = NUTATION_TERMS - 1; i >= 0; i--) {
		const int8_t *n = NUTATION_MULTIPLES[i];
		CosSin arg = angle_sum(angle_sum(angle_sum(angle_sum(multiple[0][NUTATION_MULTIPLE + n[0]],
		                                                     multiple[1][NUTATION_MULTIPLE + n[1]]),
		                                           multiple[2][NUTATION_MULTIPLE + n[2]]),
		                                 multiple[3][NUTATION_MULTIPLE + n[3]]),
		                       multiple[4][NUTATION_MULTIPLE + n[4]]);
		const int32_t *k = NUTATION_COEFFICIENTS[i];
		dp += (k[0] + k[1] * t) * arg.s + k[2] * arg.c;
		de += (k[3] + k[4] * t) * arg.c + k[5] * arg.s;
	}
	*dpsi = dp * TENTH_MICROARCSEC + -0.135 * MILLIARCSEC;
	*deps = de * TENTH_MICROARCSEC + 0.388 * MILLIARCSEC;
}

// The nutation matrix, from the mean equator and equinox of date to the
// true ones.
//
// Given:
//    epoch    Julian epoch, years (TT)
// Returned:
//    (value)  N = R1(-(epsA + deps)) R3(-dpsi) R1(epsA), with epsA the IAU
//             2006 mean obliquity and dpsi, deps of nutation_angles()
// Notes:
// 1. From the mean equator and equinox of J2000.0 to the true ones of the
//    epoch, the matrix is N P, with P the epoch's precession matrix.
// 2. Span: as nutation_angles(): against the full model, positions within
//    2.5 mas from 1995 to 2050 and 2.7 mas from 1900 to 2100.
// 3. Written out from the three rotations, N agrees with their product to
//    some 1e-16 per element; p[1][2] and p[2][1], near -deps and deps,
//    come as the difference of two products near 0.4 and keep an absolute
//    error of some 1e-17.
// References:
//    the standard routines' eraNumat, with eraObl06 and eraNut00b
inline Matrix nutation_matrix(double epoch)
{
	double t = centuries_since_2000(epoch);
	double dpsi, deps;
	nutation_angles(t, &dpsi, &deps);
	double eps = mean_obliquity(t);
	double ce = std::cos(eps), se = std::sin(eps);
	double ct = std::cos(eps + deps), st = std::sin(eps + deps);
	double cp = std::cos(dpsi), sp = std::sin(dpsi);
	// R1(-(epsA + deps)) R3(-dpsi) R1(epsA), multiplied out.
	return Matrix{{{cp, -sp * ce, -sp * se},
	               {ct * sp, ct * cp * ce + st * se, ct * cp * se - st * ce},
	               {st * sp, st * cp * ce - ct * se, st * cp * se + ct * ce}}};
}

#endif
