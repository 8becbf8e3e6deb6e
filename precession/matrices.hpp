// The precession matrices of precession's --model=iau2006 and
// --model=long-term, the products and transposes of rotations, a vector
// rotated, and the direction of a vector; and the angle units that the
// models are written in.
//
// Both rotate a position referred to the mean equator and equinox of
// J2000.0 into the mean equator and equinox of a Julian epoch (TT):
// v_epoch = P v_J2000, with v the unit vector of angles.hpp.  Neither
// includes frame bias, nutation, aberration or proper motion.
//
// The rotations follow one convention: R1(phi), R2(phi) and R3(phi) turn
// the coordinate frame by phi about its x, y or z axis, anticlockwise as
// seen from the positive end of the axis towards the origin.
#ifndef PRECESSION_MATRICES_HPP
#define PRECESSION_MATRICES_HPP

#include <cmath>

#include "angles.hpp"

// A rotation: v' = p v, with v' x = p[0][0] v.x + p[0][1] v.y + p[0][2] v.z.
struct Matrix {
	double p[3][3];
};

// Seconds of arc to radians: pi / 648000.
constexpr double ARCSEC = PI / 648000;
// Milliseconds of arc to radians.
constexpr double MILLIARCSEC = ARCSEC / 1000;
// Seconds of arc in a radian, 648000 / pi, as published.
constexpr double ARCSEC_PER_RADIAN = 206264.8062470963551564734;

// Julian centuries of TT since J2000.0 at the Julian epoch (years).
inline double centuries_since_2000(double epoch) { return (epoch - 2000) / 100; }

// The IAU 2006 precession matrix, J2000.0 to the Julian epoch (years):
// P = R3(-zA) R2(thetaA) R3(-zetaA), with the equatorial angles of the
// P03 solution (Capitaine, Wallace & Chapront 2003, as tabulated by
// Hilton et al. 2006), each a polynomial in centuries since J2000.0
// evaluated in nested form.
//
// Span: 1000 to 3000.  The polynomials are fitted to the present era:
// within 0.3 mas of the long-term model at 2100, and some 50 mas apart at
// 1000 and 3000.  Built from these angles, P agrees with the standard
// routines' matrix (built from others) to 1e-11 rad per element from
// 1800 to 2200, and to 2e-9 at the ends of the span.
inline Matrix iau2006_matrix(double epoch)
{
	double t = centuries_since_2000(epoch);
	double zeta = (2.650545 +
	               (2306.083227 + (0.2988499 + (0.01801828 + (-0.000005971 + -0.0000003173 * t) * t) * t) * t) * t) *
	              ARCSEC;
	double z = (-2.650545 +
	            (2306.077181 + (1.0927348 + (0.01826837 + (-0.000028596 + -0.0000002904 * t) * t) * t) * t) * t) *
	           ARCSEC;
	double theta =
	        (2004.191903 + (-0.4294934 + (-0.04182264 + (-0.000007089 + -0.0000001274 * t) * t) * t) * t) * t *
	        ARCSEC;
	double cz = std::cos(zeta), sz = std::sin(zeta);
	double cZ = std::cos(z), sZ = std::sin(z);
	double ct = std::cos(theta), st = std::sin(theta);
	// R3(-zA) R2(thetaA) R3(-zetaA), multiplied out.
	return Matrix{{{cZ * ct * cz - sZ * sz, -cZ * ct * sz - sZ * cz, -cZ * st},
	               {sZ * ct * cz + cZ * sz, -sZ * ct * sz + cZ * cz, -sZ * st},
	               {st * cz, -st * sz, ct}}};
}

// One periodic term of a long-term series: the period in centuries, and
// the cosine and sine coefficients of the two quantities, in seconds of
// arc: the first's cosine, the second's cosine, the first's sine, the
// second's sine.
struct Periodic {
	double period, c1, c2, s1, s2;
};

// The value at t centuries since J2000.0 of two long-term series (the
// periodic terms, then the cubic polynomials poly1 and poly2 in t), in
// radians, in *a and *b.
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

// The long-term model's mean equator pole at the Julian epoch (years), as
// a unit vector in the J2000.0 frame: (X, Y, sqrt(1 - X^2 - Y^2)), with X
// and Y the series of Vondrak, Capitaine & Wallace 2011 (Table 2).
// Span: -198000 to 202000.
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

// The long-term model's ecliptic pole at the Julian epoch (years), as a
// unit vector in the J2000.0 frame, from the series PA and QA of Vondrak,
// Capitaine & Wallace 2011 (Table 1) with the corrigendum of 2012, and the
// obliquity at J2000.0, 84381.406 seconds of arc.  Span: -198000 to 202000.
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
	const double eps0 = 84381.406 * ARCSEC;
	double p, q;
	long_term_series(centuries_since_2000(epoch), TERMS, P, Q, &p, &q);
	double w = 1 - p * p - q * q;
	w = w < 0 ? 0 : std::sqrt(w);
	return Vec{p, -q * std::cos(eps0) - w * std::sin(eps0), -q * std::sin(eps0) + w * std::cos(eps0)};
}

// The long-term precession matrix, J2000.0 to the Julian epoch (years), of
// Vondrak, Capitaine & Wallace 2011: its rows are the equinox of the epoch
// e (along n x k, normalised, with n the equator pole and k the ecliptic
// pole), then n x e, then n.
//
// Span: -198000 to 202000.  Its authors state it is good to a few seconds
// of arc over the historical period and to a few tenths of a degree at the
// ends of its span.
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

// The vector p v.
inline Vec rotated(const Matrix &p, const Vec &v)
{
	return Vec{p.p[0][0] * v.x + p.p[0][1] * v.y + p.p[0][2] * v.z,
	           p.p[1][0] * v.x + p.p[1][1] * v.y + p.p[1][2] * v.z,
	           p.p[2][0] * v.x + p.p[2][1] * v.y + p.p[2][2] * v.z};
}

// The product a b: the rotation b, then a.
inline Matrix product(const Matrix &a, const Matrix &b)
{
	Matrix c;
	for (int i = 0; i < 3; i++)
		for (int j = 0; j < 3; j++)
			c.p[i][j] = a.p[i][0] * b.p[0][j] + a.p[i][1] * b.p[1][j] + a.p[i][2] * b.p[2][j];
	return c;
}

// The transpose of p: for a rotation, its inverse.
inline Matrix transposed(const Matrix &p)
{
	Matrix t;
	for (int i = 0; i < 3; i++)
		for (int j = 0; j < 3; j++)
			t.p[i][j] = p.p[j][i];
	return t;
}

// The direction of v, a vector of any length but 0: *ra its right
// ascension, 0 to 2 pi, and *dec its declination, -pi/2 to pi/2, in
// radians.  Both come by atan2, well conditioned everywhere, the poles
// included: ra = atan2(y, x), folded by 2 pi, and dec = atan2(z,
// sqrt(x^2 + y^2)).
inline void direction(const Vec &v, double *ra, double *dec)
{
	double a = std::atan2(v.y, v.x);
	// A right ascension just west of 0 adds up to 2 pi itself: that is 0.
	if (a < 0)
		a += 2 * PI;
	if (a >= 2 * PI)
		a = 0;
	*ra = a;
	*dec = std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y));
}

#endif
