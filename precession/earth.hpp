// The Earth's state for a date: its barycentric position and velocity and
// its heliocentric position, from short series that need no large table.
// The velocity comes from the series of Ron & Vondrak (1986), the positions
// from the mean Keplerian elements of the major planets (Standish) with
// the leading terms of the Moon's orbit, enough for the apparent place: the
// aberration to 0.5 mas, the annual parallax of the nearest stars to 0.1
// mas, and the light deflection by the Sun to 0.3 mas more than 3 degrees
// from it.
//
// Vectors are referred to the mean equator and equinox of J2000.0 and
// taken as the ICRS's: the frame bias between the two, 23 mas, moves them
// by 1e-7 of their length, 3 mm/s and 1e-7 au, far below the series' own
// errors.  Time is TT, taken for TDB (they differ by 1.7 ms at most).
// Units are the au and the day.  Uses angles.hpp, epochs.hpp, iau2006.hpp
// (the obliquity of J2000.0), nutation.hpp (angle addition),
// rotations.hpp and space_motion.hpp (the au).
#ifndef PRECESSION_EARTH_HPP
#define PRECESSION_EARTH_HPP

#include <cmath>
#include <cstdint>

#include "angles.hpp"
#include "epochs.hpp"
#include "iau2006.hpp"
#include "nutation.hpp"
#include "rotations.hpp"
#include "space_motion.hpp"

// The arguments of the velocity series (Ron & Vondrak 1986), each its
// value at J2000.0 in radians and its rate in radians a Julian century: the
// mean longitudes of Venus, the Earth, Mars, Jupiter, Saturn, Uranus and
// Neptune (L2 to L8), then the Moon's mean longitude L', its mean
// elongation D, its mean anomaly M' and its argument of latitude F, which
// the Moon's orbit takes too.
constexpr int EARTH_ARGUMENTS = 11;
constexpr double EARTH_ARGUMENT_TERMS[EARTH_ARGUMENTS][2] = {
	{3.1761467, 1021.3285546}, {1.7534703, 628.3075849}, {6.2034809, 334.0612431}, {0.5995465, 52.9690965},
	{0.8740168, 21.3299095},   {5.4812939, 7.4781599},   {5.3118863, 3.8133036},   {3.8103444, 8399.6847337},
	{5.1984667, 7771.3771486}, {2.3555559, 8328.6914289}, {1.6279052, 8433.4661601},
};
constexpr int MOON_LONGITUDE = 7, MOON_ELONGATION = 8, MOON_ANOMALY = 9, MOON_LATITUDE = 10;

// The 36 terms of the Earth's barycentric velocity, the largest first (Ron
// & Vondrak 1986, as Meeus 1998, Table 23.A, tabulates them): each term's
// multiples of the arguments L2 to L8, L', D, M' and F.
constexpr int8_t EARTH_VELOCITY_MULTIPLES[][EARTH_ARGUMENTS] = {
	{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 1 L3
	{0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 2 2L3
	{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, // 3 L5
	{0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, // 4 Lp
	{0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 5 3L3
	{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, // 6 L6
	{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, // 7 F
	{0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}, // 8 Lp +Mp
	{0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}, // 9 2L5
	{0, 2, 0, -1, 0, 0, 0, 0, 0, 0, 0}, // 10 2L3 -L5
	{0, 3, -8, 3, 0, 0, 0, 0, 0, 0, 0}, // 11 3L3 -8L4 +3L5
	{0, 5, -8, 3, 0, 0, 0, 0, 0, 0, 0}, // 12 5L3 -8L4 +3L5
	{2, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 13 2L2 -L3
	{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 14 L2
	{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, // 15 L7
	{0, 1, 0, -2, 0, 0, 0, 0, 0, 0, 0}, // 16 L3 -2L5
	{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, // 17 L8
	{0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, // 18 L3 +L5
	{2, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 19 2L2 -2L3
	{0, 1, 0, -1, 0, 0, 0, 0, 0, 0, 0}, // 20 L3 -L5
	{0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 21 4L3
	{0, 3, 0, -2, 0, 0, 0, 0, 0, 0, 0}, // 22 3L3 -2L5
	{1, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 23 L2 -2L3
	{2, -3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 24 2L2 -3L3
	{0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0}, // 25 2L6
	{2, -4, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 26 2L2 -4L3
	{0, 3, -2, 0, 0, 0, 0, 0, 0, 0, 0}, // 27 3L3 -2L4
	{0, 0, 0, 0, 0, 0, 0, 1, 2, -1, 0}, // 28 Lp +2D -Mp
	{8, -12, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 29 8L2 -12L3
	{8, -14, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 30 8L2 -14L3
	{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}, // 31 2L4
	{3, -4, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 32 3L2 -4L3
	{0, 2, 0, -2, 0, 0, 0, 0, 0, 0, 0}, // 33 2L3 -2L5
	{3, -3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // 34 3L2 -3L3
	{0, 2, -2, 0, 0, 0, 0, 0, 0, 0, 0}, // 35 2L3 -2L4
	{0, 0, 0, 0, 0, 0, 0, 1, -2, 0, 0}, // 36 Lp -2D
};
// Each term's coefficients in 1e-8 au a day, for x, then y, then z: of the
// argument's sine, of T times its sine, of its cosine and of T times its
// cosine, T in Julian centuries since J2000.0.
constexpr int32_t EARTH_VELOCITY_COEFFICIENTS[][12] = {
	{-1719914, -2, -25, 0, 25, -13, 1578089, 156, 10, 32, 684185, -358},
	{6434, 141, 28007, -107, 25697, -95, -5904, -130, 11141, -48, -2559, -55},
	{715, 0, 0, 0, 6, 0, -657, 0, -15, 0, -282, 0},
	{715, 0, 0, 0, 0, 0, -656, 0, 0, 0, -285, 0},
	{486, -5, -236, -4, -216, -4, -446, 5, -94, 0, -193, 0},
	{159, 0, 0, 0, 2, 0, -147, 0, -6, 0, -61, 0},
	{0, 0, 0, 0, 0, 0, 26, 0, 0, 0, -59, 0},
	{39, 0, 0, 0, 0, 0, -36, 0, 0, 0, -16, 0},
	{33, 0, -10, 0, -9, 0, -30, 0, -5, 0, -13, 0},
	{31, 0, 1, 0, 1, 0, -28, 0, 0, 0, -12, 0},
	{8, 0, -28, 0, 25, 0, 8, 0, 11, 0, 3, 0},
	{8, 0, -28, 0, -25, 0, -8, 0, -11, 0, -3, 0},
	{21, 0, 0, 0, 0, 0, -19, 0, 0, 0, -8, 0},
	{-19, 0, 0, 0, 0, 0, 17, 0, 0, 0, 8, 0},
	{17, 0, 0, 0, 0, 0, -16, 0, 0, 0, -7, 0},
	{16, 0, 0, 0, 0, 0, 15, 0, 1, 0, 7, 0},
	{16, 0, 0, 0, 1, 0, -15, 0, -3, 0, -6, 0},
	{11, 0, -1, 0, -1, 0, -10, 0, -1, 0, -5, 0},
	{0, 0, -11, 0, -10, 0, 0, 0, -4, 0, 0, 0},
	{-11, 0, -2, 0, -2, 0, 9, 0, -1, 0, 4, 0},
	{-7, 0, -8, 0, -8, 0, 6, 0, -3, 0, 3, 0},
	{-10, 0, 0, 0, 0, 0, 9, 0, 0, 0, 4, 0},
	{-9, 0, 0, 0, 0, 0, -9, 0, 0, 0, -4, 0},
	{-9, 0, 0, 0, 0, 0, -8, 0, 0, 0, -4, 0},
	{0, 0, -9, 0, -8, 0, 0, 0, -3, 0, 0, 0},
	{0, 0, -9, 0, 8, 0, 0, 0, 3, 0, 0, 0},
	{8, 0, 0, 0, 0, 0, -8, 0, 0, 0, -3, 0},
	{8, 0, 0, 0, 0, 0, -7, 0, 0, 0, -3, 0},
	{-4, 0, -7, 0, -6, 0, 4, 0, -3, 0, 2, 0},
	{-4, 0, -7, 0, 6, 0, -4, 0, 3, 0, -2, 0},
	{-6, 0, -5, 0, -4, 0, 5, 0, -2, 0, 2, 0},
	{-1, 0, -1, 0, -2, 0, -7, 0, 1, 0, -4, 0},
	{4, 0, -6, 0, -5, 0, -4, 0, -2, 0, -2, 0},
	{0, 0, -7, 0, -6, 0, 0, 0, -3, 0, 0, 0},
	{5, 0, -5, 0, -4, 0, -5, 0, -2, 0, -2, 0},
	{5, 0, 0, 0, 0, 0, -5, 0, 0, 0, -2, 0},
};
constexpr int EARTH_VELOCITY_TERMS = sizeof EARTH_VELOCITY_MULTIPLES / sizeof EARTH_VELOCITY_MULTIPLES[0];
static_assert(EARTH_VELOCITY_TERMS == sizeof EARTH_VELOCITY_COEFFICIENTS / sizeof EARTH_VELOCITY_COEFFICIENTS[0],
              "one row of coefficients a term");

// The largest multiple of an argument in the velocity series, in either
// direction: 14 L3.
constexpr int VELOCITY_MULTIPLE = 14;

// The velocity series' unit, au a day.
constexpr double EARTH_VELOCITY_UNIT = 1e-8;

// A planet's mean orbit, on the mean ecliptic and equinox of J2000.0
// (Standish, Keplerian Elements for Approximate Positions of the Major
// Planets, Table 1, fitted from 1800 to 2050): the semi-major axis a (au),
// the eccentricity e, the inclination I, the mean longitude L, the
// longitude of perihelion and that of the ascending node (degrees), and
// the rates of each a Julian century; and the Sun's mass over the
// planet's, its satellites included (the IAU 2009 system of constants).
// The rows: the Earth-Moon barycentre, then Jupiter to Neptune, whose
// pull alone moves the Sun about the barycentre by what all the planets
// do, to 1e-6 au; Mercury, Venus and Mars, which would add that 1e-6 au
// (0.001 mas in the annual parallax of the nearest stars), are left out.
struct MeanOrbit {
	double element[6]; // a, e, I, L, longitude of perihelion, longitude of the node
	double rate[6];    // the same, a Julian century
	double sun_mass_ratio;
};
constexpr MeanOrbit PLANETS[] = {
	{{1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0.0},
	 {0.00000562, -0.00004392, -0.01294668, 35999.37244981, 0.32327364, 0.0}, 328900.56},
	{{5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909},
	 {-0.00011607, -0.00013253, -0.00183714, 3034.74612775, 0.21252668, 0.20469106}, 1047.3486},
	{{9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831, 113.66242448},
	 {-0.00125060, -0.00050991, 0.00193609, 1222.49362201, -0.41897216, -0.28867794}, 3497.898},
	{{19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630, 74.01692503},
	 {-0.00196176, -0.00004397, -0.00242939, 428.48202785, 0.40805281, 0.04240589}, 22902.98},
	{{30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227, 131.78422574},
	 {0.00026291, 0.00005105, 0.00035372, 218.45945325, -0.32241464, -0.00508664}, 19412.24},
};
constexpr int PLANET_COUNT = sizeof PLANETS / sizeof PLANETS[0];
// The row of the Earth-Moon barycentre.
constexpr int EARTH_MOON = 0;

// The Earth's mass over the Moon's (the IAU 2009 system of constants).
constexpr double EARTH_MOON_MASS_RATIO = 81.30056;

// Newton's passes at Kepler's equation, at most: from E = M + e sin M, the
// error, some e^2, squares at each pass, and for eccentricities below 0.06
// three passes leave none; the passes end when a correction is below 1e-15
// radian.
constexpr int KEPLER_PASSES = 5;

// The Earth's state for a date: barycentric position and velocity, and
// heliocentric position.
struct EarthState {
	Vec barycentric;  // au
	Vec velocity;     // barycentric, au a day
	Vec heliocentric; // au
};

// The arguments of the velocity series, radians.
//
// Given:
//    t         Julian centuries of TT since J2000.0
// Returned:
//    argument  L2 to L8, L', D, M' and F, each its value plus its rate
//              times t, not reduced to a turn: sin and cos reduce them
inline void earth_arguments(double t, double argument[EARTH_ARGUMENTS])
{
	for (int a = 0; a < EARTH_ARGUMENTS; a++)
		argument[a] = EARTH_ARGUMENT_TERMS[a][0] + EARTH_ARGUMENT_TERMS[a][1] * t;
}

// The Earth's barycentric velocity.
//
// Given:
//    t         Julian centuries of TT since J2000.0; span 1900 to 2100
//    argument  earth_arguments(t)
// Returned:
//    (value)   the velocity, au a day, mean equator and equinox of J2000.0
// Notes:
// 1. Each term adds (a + b T) sin A + (c + d T) cos A to each axis, A the
//    sum of its multiples of the arguments; the terms are summed from the
//    smallest to the largest.  Only the eleven arguments go through sin
//    and cos: each term's A comes by angle addition from their multiples,
//    as the nutation's terms do (nutation.hpp), good to some 1e-15, far
//    below the series' 1e-8 au a day.
// 2. A truncation at 1e-8 au a day: within 0.7 m/s of the full theory from
//    1900 to 2100 (0.23 m/s rms), with no growth towards the ends, which
//    makes an error of 0.45 mas in the aberration at most.  The arguments
//    leave out their terms in T^2, which make most of that error.
// References:
//    Ron, C. & Vondrak, J. 1986, A&A 164, 265
//    Meeus, J. 1998, Astronomical Algorithms, 2nd ed., chapter 23
inline Vec earth_velocity(double t, const double argument[EARTH_ARGUMENTS])
{
	// multiple[a][VELOCITY_MULTIPLE + k]: the angle k times argument a.
	CosSin multiple[EARTH_ARGUMENTS][2 * VELOCITY_MULTIPLE + 1];
	for (int a = 0; a < EARTH_ARGUMENTS; a++) {
		CosSin *m = multiple[a] + VELOCITY_MULTIPLE;
		m[0] = CosSin{1, 0};
		m[1] = CosSin{std::cos(argument[a]), std::sin(argument[a])};
		for (int k = 2; k <= VELOCITY_MULTIPLE; k++)
			m[k] = angle_sum(m[k - 1], m[1]);
		for (int k = 1; k <= VELOCITY_MULTIPLE; k++)
			m[-k] = CosSin{m[k].c, -m[k].s};
	}
	double v[3] = {0, 0, 0};
	for (int i = EARTH_VELOCITY_TERMS - 1; i >= 0; i--) {
		CosSin angle = {1, 0};
		for (int a = 0; a < EARTH_ARGUMENTS; a++)
			if (EARTH_VELOCITY_MULTIPLES[i][a] != 0)
				angle = angle_sum(angle, multiple[a][VELOCITY_MULTIPLE + EARTH_VELOCITY_MULTIPLES[i][a]]);
		double s = angle.s, c = angle.c;
		const int32_t *k = EARTH_VELOCITY_COEFFICIENTS[i];
		for (int axis = 0; axis < 3; axis++, k += 4)
			v[axis] += (k[0] + k[1] * t) * s + (k[2] + k[3] * t) * c;
	}
	return Vec{v[0] * EARTH_VELOCITY_UNIT, v[1] * EARTH_VELOCITY_UNIT, v[2] * EARTH_VELOCITY_UNIT};
}

// A planet's heliocentric position from its mean orbit.
//
// Given:
//    orbit    a row of PLANETS
//    t        Julian centuries of TT since J2000.0; the elements are
//             fitted from 1800 to 2050
// Returned:
//    (value)  the position, au, mean ecliptic and equinox of J2000.0
// Notes:
// 1. Each element is its value plus its rate times t.  The argument of
//    perihelion is the longitude of perihelion less that of the node, and
//    the mean anomaly M the mean longitude less that of perihelion,
//    reduced to -180 to 180 degrees; Kepler's equation E - e sin E = M is
//    solved by Newton's method, and the position in the orbit's plane,
//    a (cos E - e, sqrt(1 - e^2) sin E), turned by the argument of
//    perihelion, the inclination and the node.
// 2. Against the full theory, the Earth-Moon barycentre so found is within
//    some 1e-4 au from 1900 to 2100.
// References:
//    Standish, E.M., Keplerian Elements for Approximate Positions of the
//    Major Planets (JPL), Table 1; the Explanatory Supplement to the
//    Astronomical Almanac, 1992
inline Vec orbit_position(const MeanOrbit &orbit, double t)
{
	double el[6];
	for (int k = 0; k < 6; k++)
		el[k] = orbit.element[k] + orbit.rate[k] * t;
	double a = el[0], e = el[1], mean = deg_to_rad(std::remainder(el[3] - el[4], 360.0));
	double anomaly = mean + e * std::sin(mean);
	for (int pass = 0; pass < KEPLER_PASSES; pass++) {
		double step = (anomaly - e * std::sin(anomaly) - mean) / (1 - e * std::cos(anomaly));
		anomaly -= step;
		if (std::fabs(step) < 1e-15)
			break;
	}
	double x = a * (std::cos(anomaly) - e), y = a * std::sqrt(1 - e * e) * std::sin(anomaly);
	double w = deg_to_rad(el[4] - el[5]), i = deg_to_rad(el[2]), node = deg_to_rad(el[5]);
	double cw = std::cos(w), sw = std::sin(w), ci = std::cos(i), si = std::sin(i);
	double cn = std::cos(node), sn = std::sin(node);
	return Vec{(cw * cn - sw * sn * ci) * x + (-sw * cn - cw * sn * ci) * y,
	           (cw * sn + sw * cn * ci) * x + (-sw * sn + cw * cn * ci) * y, (sw * si) * x + (cw * si) * y};
}

// The Moon's geocentric position, from the leading terms of its orbit.
//
// Given:
//    t         Julian centuries of TT since J2000.0
//    argument  earth_arguments(t), for L', D, M' and F
// Returned:
//    (value)   the position, au, mean ecliptic and equinox of J2000.0
// Notes:
// 1. The longitude L' + 6.289 sin M' + 1.274 sin(2D - M') + 0.658 sin 2D
//    degrees on the ecliptic of date, less 1.3969713 t degrees, the
//    general precession, to that of J2000.0; the latitude 5.128 sin F
//    degrees; the distance 385000.56 - 20905 cos M' - 3699 cos(2D - M') -
//    2956 cos 2D km.  The Earth is some 4700 km from the Earth-Moon
//    barycentre: without the Moon its position would be within 1.4e-4 au
//    instead of 1.2e-4.
// References:
//    Meeus, J. 1998, Astronomical Algorithms, 2nd ed., chapter 47, the
//    leading terms of Tables 47.A and 47.B
inline Vec moon_position(double t, const double argument[EARTH_ARGUMENTS])
{
	double d = argument[MOON_ELONGATION], m = argument[MOON_ANOMALY];
	double longitude = argument[MOON_LONGITUDE] + deg_to_rad(6.289) * std::sin(m) +
	                   deg_to_rad(1.274) * std::sin(2 * d - m) + deg_to_rad(0.658) * std::sin(2 * d) -
	                   deg_to_rad(1.3969713) * t;
	double latitude = deg_to_rad(5.128) * std::sin(argument[MOON_LATITUDE]);
	double km = 385000.56 - 20905 * std::cos(m) - 3699 * std::cos(2 * d - m) - 2956 * std::cos(2 * d);
	double r = km * 1000 / AU_M;
	double cl = std::cos(latitude);
	return Vec{r * cl * std::cos(longitude), r * cl * std::sin(longitude), r * std::sin(latitude)};
}

// The Earth's state for a date.
//
// Given:
//    epoch    Julian epoch, years (TT); span 1900 to 2100, where the
//             errors below hold; the planets' elements are fitted from 1800
//             to 2050
// Returned:
//    (value)  the Earth's barycentric position and velocity and its
//             heliocentric position, mean equator and equinox of J2000.0
// Notes:
// 1. The heliocentric Earth is the Earth-Moon barycentre less the Moon's
//    geocentric position over 1 + EARTH_MOON_MASS_RATIO.  The Sun about
//    the barycentre is -sum(m r) / (1 + sum(m)), r each planet's
//    heliocentric position and m its mass over the Sun's; the barycentric
//    Earth is the heliocentric one plus the Sun's.  Positions go from the
//    ecliptic to the equator of J2000.0 by R1(-eps0), eps0 the IAU 2006
//    obliquity of J2000.0; the velocity is on the equator already.
// 2. Against the full theory from 1900 to 2100: the velocity within 0.7
//    m/s, the positions within 1.2e-4 au (the heliocentric direction within
//    25 seconds of arc).  Computed once for a date: 5 solutions of
//    Kepler's equation and the sines and cosines of 11 arguments.
// References:
//    as earth_velocity(), orbit_position() and moon_position()
inline EarthState earth_state(double epoch)
{
	double t = centuries_since_2000(epoch), argument[EARTH_ARGUMENTS];
	earth_arguments(t, argument);
	Vec sum = {0, 0, 0}, earth_moon = sum;
	double mass = 0;
	for (int p = 0; p < PLANET_COUNT; p++) {
		Vec r = orbit_position(PLANETS[p], t);
		double m = 1 / PLANETS[p].sun_mass_ratio;
		sum = Vec{sum.x + m * r.x, sum.y + m * r.y, sum.z + m * r.z};
		mass += m;
		if (p == EARTH_MOON)
			earth_moon = r;
	}
	Vec moon = moon_position(t, argument);
	double f = 1 + EARTH_MOON_MASS_RATIO;
	Vec earth = {earth_moon.x - moon.x / f, earth_moon.y - moon.y / f, earth_moon.z - moon.z / f};
	Vec sun = {-sum.x / (1 + mass), -sum.y / (1 + mass), -sum.z / (1 + mass)};
	Matrix to_equator = about_x(-OBLIQUITY_J2000_ARCSEC * ARCSEC);
	Vec heliocentric = rotated(to_equator, earth);
	Vec s = rotated(to_equator, sun);
	return EarthState{Vec{heliocentric.x + s.x, heliocentric.y + s.y, heliocentric.z + s.z},
	                  earth_velocity(t, argument), heliocentric};
}

#endif
