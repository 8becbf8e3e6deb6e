// The programs' models against the IAU's standard routines in C (Debian's
// liberfa-dev), when the build found them, each in one loop that prints
// its largest difference and fails beyond its bound: the precession
// matrices against eraBp06's precession matrix rp and eraLtp, and
// precession between two epochs and through FK4 against their
// compositions and eraFk45z and eraFk54z; the frame bias, galactic and
// ecliptic coordinates against eraBp00, eraIcrs2g, eraG2icrs and eraEcm06;
// UTC dates read into TT against eraDtf2d, eraUtctai and eraTaitt; the
// Earth's state against eraEpv00, and the apparent place against the chain
// of eraPmsafe, eraPmpx, eraLdsun, eraAb and eraPn06;
// skysep's separation and position angle against eraSeps and eraPas.  Without the
// routines the check says that it is skipped (exit status 77).
#include <cmath>
#include <cstdio>

#include "apparent.hpp"
#include "dates.hpp"
#include "decimal.hpp"
#include "ecliptic.hpp"
#include "frame_bias.hpp"
#include "galactic.hpp"
#include "position_angle.hpp"
#include "random.hpp"
#include "transform.hpp"

#ifdef SKYANGLES_ERFA
#include <erfa.h>
#include <erfam.h>

static int failed;

// Prints one check: its largest difference, where it was found, and
// whether it is within the bound.
static void report(const char *label, double worst, double at, double bound, const char *unit)
{
	bool ok = worst <= bound;
	failed += !ok;
	std::printf("%s: %s: largest difference %.2e %s at %g, within %.0e\n", ok ? "ok" : "FAIL", label, worst, unit,
	            at, bound);
}

// A model's matrix, the standard routine's, and the largest difference in
// an element that the span allows.
struct Span {
	const char *label;
	Matrix (*ours)(double epoch);
	void (*theirs)(double epoch, double rp[3][3]);
	double first, last, step, tolerance;
};

static void bp06(double epoch, double rp[3][3])
{
	double d1, d2, rb[3][3], rbp[3][3];
	eraEpj2jd(epoch, &d1, &d2);
	eraBp06(d1, d2, rb, rp, rbp);
}

static const Span spans[] = {
	{"iau2006, 1800 to 2200", iau2006_matrix, bp06, 1800, 2200, 0.25, 1e-11},
	{"iau2006, 1000 to 3000", iau2006_matrix, bp06, 1000, 3000, 1, 2e-9},
	{"long-term, -198000 to 202000", long_term_matrix, eraLtp, -198000, 202000, 9.75, 1e-14},
};

// skysep's separation against eraSeps, in radians, and its position angle
// against eraPas, on pairs 1e-6 seconds of arc to 180 degrees apart and as
// near to opposite, from positions uniform on the sphere and within a
// degree of each pole, across 0 hours.  The separation within 1e-15 radian
// prints at 9 decimals of degrees as eraSeps's does, but within that of a
// rounding edge.  The position angle is the less defined the nearer the
// pair is to 0 or 180 degrees: its difference times the sine of the
// separation, the displacement it makes on the sky, is bounded instead.
static void pairs()
{
	Random r{2000};
	double worst_separation = 0, at_separation = 0, worst_angle = 0, at_angle = 0;
	for (int i = 0; i < 200000; i++) {
		double ra = r.uniform(0, 2 * PI), dec = std::asin(r.uniform(-1, 1));
		if (i % 4 == 1)
			dec = std::copysign(PI / 2 - r.uniform(0, PI / 180), dec);
		// The second position: log-uniform in distance, any direction, from
		// the first or from its opposite.
		double d = std::pow(10, r.uniform(-6, 5.81)) * ERFA_DAS2R, phi = r.uniform(0, 2 * PI);
		double ra0 = i % 2 ? ra : ra + PI, dec0 = i % 2 ? dec : -dec;
		double dec2 = std::asin(std::sin(dec0) * std::cos(d) + std::cos(dec0) * std::sin(d) * std::cos(phi));
		double ra2 = ra0 + std::atan2(std::sin(phi) * std::sin(d) * std::cos(dec0),
		                              std::cos(d) - std::sin(dec0) * std::sin(dec2));
		ra2 = eraAnp(ra2);
		Position a = position(ra, dec), b = position(ra2, dec2);
		double s = angle_between(unit_vector(a), unit_vector(b)) - eraSeps(ra, dec, ra2, dec2);
		if (std::fabs(s) > worst_separation)
			worst_separation = std::fabs(s), at_separation = eraSeps(ra, dec, ra2, dec2) * ERFA_DR2D;
		double sep = eraSeps(ra, dec, ra2, dec2);
		double p = std::fabs(eraAnpm(position_angle(a, unit_vector(b)) - eraPas(ra, dec, ra2, dec2))) * std::sin(sep);
		if (p > worst_angle)
			worst_angle = p, at_angle = sep * ERFA_DR2D;
	}
	report("separation, 1e-6\" to 180 degrees (at, in degrees)", worst_separation, at_separation, 1e-15, "rad");
	report("position angle times the sine of the separation (at, in degrees)", worst_angle, at_angle, 1e-15, "rad");
}

// The largest of a set of differences, and where it was found.
struct Largest {
	double worst = 0, at = 0;
	void add(double difference, double where)
	{
		if (difference > worst)
			worst = difference, at = where;
	}
};

// The angle between two positions, in mas.
static double mas(double ra1, double dec1, double ra2, double dec2)
{
	return eraSeps(ra1, dec1, ra2, dec2) * ERFA_DR2AS * 1000;
}

// A Julian epoch for the model, or B1950.
static Epoch epoch(double julian) { return Epoch{false, julian, false, 0}; }
static const Epoch B1950 = {true, B1950_JULIAN_EPOCH, false, 0};

// precession's transformation of (ra, dec) from one epoch to another by
// the model, in radians.
static void ours(ModelName model, const Epoch &from, const Epoch &to, double ra, double dec, double *a, double *b)
{
	DateMatrix last = {};
	transform(make_transform(model, Frame{EQUINOX, from}, true, MEAN_OF_YEAR, NO_MOTION, from.julian), last, to,
	          CatalogueStar{ra, dec, 0, 0, 0, 0}, a, b);
}

// precession's transformation of a star from the system from to the
// system to, at the Julian epoch year, by iau2006, in radians: as the
// command line makes it, with motion from the epoch of the star's data.
static void across(System from, System to, const Epoch &to_epoch, double year, const CatalogueStar &star,
                   Motion motion, double *a, double *b)
{
	DateMatrix last = {};
	*a = *b = 0;
	transform(make_transform(IAU2006, Frame{from, J2000}, false, Frame{to, to_epoch}, motion, motion ? 2016 : 2000),
	          last, epoch(year), star, a, b);
}

// The standard routines' composition: (ra, dec) taken back by the
// transpose of from and on by to, each left out where null, in radians.
static void theirs(double (*from)[3], double (*to)[3], double ra, double dec, double *a, double *b)
{
	double v[3], w[3];
	eraS2c(ra, dec, v);
	if (from != nullptr) {
		eraTrxp(from, v, w);
		eraCp(w, v);
	}
	if (to != nullptr) {
		eraRxp(to, v, w);
		eraCp(w, v);
	}
	eraC2s(v, a, b);
}

// precession between two epochs, in one loop over random positions and
// epoch pairs, against the standard routines' compositions: iau2006's
// P(to) P(from)^T against eraBp06's rp(to) rp(from)^T, within 0.01 mas for
// both epochs in 1800 to 2200 and 1 mas over 1000 to 3000; long-term's
// against eraLtp's; from B1950 against eraFk45z, then rp; to B1950
// against rp(from)^T, then eraFk54z.  And the round trip from one epoch to
// another and back: in process within 1e-6 mas, and through the text that
// --degrees --decimals=9 prints within 0.01 mas; FK4 to FK5 and back,
// which is not an exact inverse, within 0.03 mas.
static void epochs()
{
	Random r{1950};
	Largest near, far, long_term, from_fk4, to_fk4, trip, printed, fk4_trip;
	for (int i = 0; i < 100000; i++) {
		double ra = r.uniform(0, 2 * PI), dec = std::asin(r.uniform(-1, 1));
		if (i % 8 == 1)
			dec = std::copysign(PI / 2 - r.uniform(0, 1e-3), dec);
		bool wide = i % 2;
		double e1 = wide ? r.uniform(1000, 3000) : r.uniform(1800, 2200);
		double e2 = wide ? r.uniform(1000, 3000) : r.uniform(1800, 2200);
		double p1[3][3], p2[3][3], a, b, a2, b2;
		bp06(e1, p1);
		bp06(e2, p2);
		ours(IAU2006, epoch(e1), epoch(e2), ra, dec, &a, &b);
		theirs(p1, p2, ra, dec, &a2, &b2);
		(wide ? far : near).add(mas(a, b, a2, b2), e2);
		// And back, in process and through the printed text.
		ours(IAU2006, epoch(e2), epoch(e1), a, b, &a2, &b2);
		trip.add(mas(ra, dec, a2, b2), e1);
		char text[2][FIXED_MAX];
		text[0][format_fixed(text[0], rad_to_deg(a), 0, 9)] = '\0';
		text[1][format_fixed(text[1], rad_to_deg(b), 0, 9)] = '\0';
		ours(IAU2006, epoch(e2), epoch(e1), deg_to_rad(read_decimal(text[0], nullptr)),
		     deg_to_rad(read_decimal(text[1], nullptr)), &a2, &b2);
		printed.add(mas(ra, dec, a2, b2), e1);

		// long-term over its span.
		e1 = r.uniform(-198000, 202000), e2 = r.uniform(-198000, 202000);
		eraLtp(e1, p1);
		eraLtp(e2, p2);
		ours(LONG_TERM, epoch(e1), epoch(e2), ra, dec, &a, &b);
		theirs(p1, p2, ra, dec, &a2, &b2);
		long_term.add(mas(a, b, a2, b2), e2);

		// From B1950, and to it, with iau2006 near the present.
		e2 = r.uniform(1800, 2200);
		bp06(e2, p2);
		ours(IAU2006, B1950, epoch(e2), ra, dec, &a, &b);
		eraFk45z(ra, dec, 1950, &a2, &b2);
		theirs(nullptr, p2, a2, b2, &a2, &b2);
		from_fk4.add(mas(a, b, a2, b2), e2);
		ours(IAU2006, epoch(e2), B1950, ra, dec, &a, &b);
		theirs(p2, nullptr, ra, dec, &a2, &b2);
		double dr, dd;
		eraFk54z(eraAnp(a2), b2, 1950, &a2, &b2, &dr, &dd);
		to_fk4.add(mas(a, b, a2, b2), e2);
		ours(IAU2006, B1950, J2000, ra, dec, &a2, &b2);
		ours(IAU2006, J2000, B1950, a2, b2, &a, &b);
		fk4_trip.add(mas(ra, dec, a, b), dec * ERFA_DR2D);
	}
	report("iau2006 between epochs, 1800 to 2200 (at the target)", near.worst, near.at, 0.01, "mas");
	report("iau2006 between epochs, 1000 to 3000", far.worst, far.at, 1, "mas");
	report("long-term between epochs", long_term.worst, long_term.at, 0.01, "mas");
	report("from B1950 to an epoch of 1800 to 2200, against eraFk45z and rp", from_fk4.worst, from_fk4.at, 0.01, "mas");
	report("to B1950 from an epoch of 1800 to 2200, against rp and eraFk54z", to_fk4.worst, to_fk4.at, 0.01, "mas");
	report("iau2006 there and back, in process", trip.worst, trip.at, 1e-6, "mas");
	report("iau2006 there and back, through --degrees --decimals=9", printed.worst, printed.at, 0.01, "mas");
	report("B1950 to J2000 and back, not an exact inverse (at a declination)", fk4_trip.worst, fk4_trip.at, 0.03, "mas");
}

// A star's motion and the true equator, in one loop over stars and target
// epochs, against the standard routines: eraPmsafe then rp of eraBp06, for
// stars with a parallax of 0.1 mas or more and a radial velocity, within
// 0.01 mas for targets from 1800 to 2200 and 1 mas from 1000 to 3000 (the
// matrices' own limit); for stars without a parallax or a radial velocity,
// moving up to 3" a year, within 0.1" over 500 years, where the standard
// routines' release of 2021 (Debian's liberfa 2.0.0) parts from those
// since 2023, which this one follows; and the nutation with the precession
// against eraNumat of eraObl06 and eraNut00b, times rp, within 0.01 mas
// from 1800 to 2200, with its distance from the full model, eraNum06a,
// from 1995 to 2050.  Barnard's star, 61 Cyg A, alpha Cen A and Arcturus,
// and stars at the poles, among them.
struct Star {
	double ra, dec, pmra, pmdec, parallax, velocity, epoch; // degrees, mas a year, mas, km/s, years
};
static const Star STARS[] = {
	{269.45402305, 4.66828815, -798.58, 10328.12, 548.31, -110.51, 1991.25},
	{316.748662, 38.763863, 4164.209, 3249.614, 285.9949, -65.97, 2016},
	{219.90205833, -60.83399278, -3679.25, 473.67, 754.81, -21.4, 2000},
	{213.9153, 19.18240917, -1093.39, -2000.06, 88.83, -5.19, 2000},
	{0, 90, 0, -800, 50, 30, 2000},
	{180, -90, 0, 1200, 20, -40, 2000},
};

static void motion()
{
	Random r{2016};
	Largest near, far, unknown, nutation, full, to_icrs, to_epoch;
	for (int i = 0; i < 60000; i++) {
		Star s = STARS[i % 6];
		if (i >= 600) { // random stars moving up to 2.8" a year, some without a parallax or velocity
			s = {r.uniform(0, 360), std::asin(r.uniform(-1, 1)) * ERFA_DR2D, r.uniform(-2000, 2000),
			     r.uniform(-2000, 2000), r.uniform(0.1, 800), r.uniform(-300, 300), 1991.25 + r.below(3) * 12.375};
			if (i % 3 == 1)
				s.parallax = 0;
			if (i % 3 == 2 || i % 5 == 0)
				s.velocity = 0;
		}
		bool known = s.parallax > 0 && s.velocity != 0;
		double to = known ? (i % 2 ? r.uniform(1000, 3000) : r.uniform(1800, 2200)) : s.epoch + r.uniform(-500, 500);
		to = std::fmin(std::fmax(to, 1000), 3000);
		double ra = s.ra * ERFA_DD2R, dec = s.dec * ERFA_DD2R, a = 0, b = 0, a2, b2, d1, d2, e1, e2, rp[3][3];
		DateMatrix last = {};
		CatalogueStar star = {ra, dec, s.pmra * ERFA_DMAS2R / std::cos(dec), s.pmdec * ERFA_DMAS2R, s.parallax / 1000,
		                      s.velocity};
		transform(make_transform(IAU2006, J2000_EQUINOX, false, MEAN_OF_YEAR, IN_SPACE, s.epoch), last, epoch(to), star,
		          &a, &b);
		eraEpj2jd(s.epoch, &d1, &d2);
		eraEpj2jd(to, &e1, &e2);
		double pr, pd, px, rv, a3, b3, m[3][3];
		eraPmsafe(ra, dec, star.mu_alpha, star.mu_delta, star.parallax, s.velocity, d1, d2, e1, e2, &a2, &b2, &pr,
		          &pd, &px, &rv);
		bool present = known && to >= 1800 && to <= 2200;
		if (present) { // from the ICRS to the ICRS of the year, and to the mean equator of an epoch
			transform(make_transform(IAU2006, Frame{ICRS, J2000}, false, Frame{ICRS, J2000}, IN_SPACE, s.epoch), last,
			          epoch(to), star, &a3, &b3);
			to_icrs.add(mas(a3, b3, a2, b2), to);
			double e = r.uniform(1800, 2200);
			transform(make_transform(IAU2006, Frame{ICRS, J2000}, false, Frame{EQUINOX, epoch(e)}, IN_SPACE, s.epoch),
			          last, epoch(to), star, &a3, &b3);
			eraEpj2jd(e, &e1, &e2);
			eraPmat06(e1, e2, m);
			double a4, b4;
			theirs(nullptr, m, a2, b2, &a4, &b4);
			to_epoch.add(mas(a3, b3, a4, b4), e);
		}
		bp06(to, rp);
		theirs(nullptr, rp, a2, b2, &a2, &b2);
		(!known ? unknown : present ? near : far).add(mas(a, b, a2, b2), to);

		// The true equator and equinox, for a star without motion.
		to = r.uniform(1800, 2200);
		last = DateMatrix{};
		transform(make_transform(IAU2006, J2000_EQUINOX, false, Frame{TRUE_EQUATOR, J2000}, NO_MOTION, 2000), last,
		          epoch(to), CatalogueStar{ra, dec, 0, 0, 0, 0}, &a, &b);
		double dpsi, deps, n[3][3], np[3][3];
		eraEpj2jd(to, &e1, &e2);
		eraNut00b(e1, e2, &dpsi, &deps);
		eraNumat(eraObl06(e1, e2), dpsi, deps, n);
		bp06(to, rp);
		eraRxr(n, rp, np);
		theirs(nullptr, np, ra, dec, &a2, &b2);
		nutation.add(mas(a, b, a2, b2), to);
		if (to >= 1995 && to <= 2050) {
			eraNum06a(e1, e2, n);
			eraRxr(n, rp, np);
			theirs(nullptr, np, ra, dec, &a2, &b2);
			full.add(mas(a, b, a2, b2), to);
		}
	}
	report("motion with parallax and velocity, targets 1800 to 2200", near.worst, near.at, 0.01, "mas");
	report("motion with parallax and velocity, targets 1000 to 3000", far.worst, far.at, 1, "mas");
	report("motion in the ICRS, to the ICRS of 1800 to 2200", to_icrs.worst, to_icrs.at, 0.01, "mas");
	report("motion in the ICRS, to the mean equator of an epoch of 1800 to 2200 (at it)", to_epoch.worst, to_epoch.at,
	       0.01, "mas");
	report("motion without a parallax or a velocity, 500 years, 2021 release", unknown.worst, unknown.at, 100, "mas");
	report("nutation and precession, 1800 to 2200", nutation.worst, nutation.at, 0.01, "mas");
	report("IAU 2000B against the full model, 1995 to 2050", full.worst, full.at, 3, "mas");
}

// The frame bias against the standard routines' IAU 2000 bias, eraBp00's
// rb from eraBi00's angles, and against IAU 2006's, eraBp06's rb, from
// which it is meant to differ by 0.2 microseconds of arc; then, over random
// positions and epochs of 1800 to 2200, galactic coordinates both ways
// against eraIcrs2g and eraG2icrs, the ecliptic of date against eraEcm06
// and the bias with the precession, P B, against eraPmat06.
static void frames()
{
	Matrix bias = frame_bias_matrix();
	double rb00[3][3], rb06[3][3], rp[3][3], rbp[3][3], m[3][3];
	eraBp00(ERFA_DJ00, 0, rb00, rp, rbp);
	eraBp06(ERFA_DJ00, 0, rb06, rp, rbp);
	Largest b00, b06, to_galactic, from_galactic, ecliptic, bias_precession;
	for (int i = 0; i < 9; i++) {
		b00.add(std::fabs(bias.p[i / 3][i % 3] - rb00[i / 3][i % 3]), i);
		b06.add(std::fabs(bias.p[i / 3][i % 3] - rb06[i / 3][i % 3]), i);
	}
	Random r{1958};
	for (int i = 0; i < 20000; i++) {
		double ra = r.uniform(0, 2 * PI), dec = std::asin(r.uniform(-1, 1)), epoch = r.uniform(1800, 2200);
		double a, b, a2, b2, d1, d2;
		CatalogueStar star = {ra, dec, 0, 0, 0, 0};
		across(ICRS, GALACTIC, J2000, epoch, star, NO_MOTION, &a, &b);
		eraIcrs2g(ra, dec, &a2, &b2);
		to_galactic.add(mas(a, b, a2, b2), b2 * ERFA_DR2D);
		across(GALACTIC, ICRS, J2000, epoch, star, NO_MOTION, &a, &b);
		eraG2icrs(ra, dec, &a2, &b2);
		from_galactic.add(mas(a, b, a2, b2), dec * ERFA_DR2D);
		eraEpj2jd(epoch, &d1, &d2);
		eraEcm06(d1, d2, m);
		across(ICRS, ECLIPTIC, J2000, epoch, star, NO_MOTION, &a, &b);
		theirs(nullptr, m, ra, dec, &a2, &b2);
		ecliptic.add(mas(a, b, a2, b2), epoch);
		eraPmat06(d1, d2, m);
		across(ICRS, MEAN, J2000, epoch, star, NO_MOTION, &a, &b);
		theirs(nullptr, m, ra, dec, &a2, &b2);
		bias_precession.add(mas(a, b, a2, b2), epoch);
	}
	report("frame bias against eraBp00's, IAU 2000 (at an element)", b00.worst, b00.at, 1e-16, "per element");
	report("frame bias against eraBp06's, IAU 2006 (at an element)", b06.worst, b06.at, 2e-12, "per element");
	report("ICRS to galactic (at a latitude)", to_galactic.worst, to_galactic.at, 1e-5, "mas");
	report("galactic to ICRS (at a latitude)", from_galactic.worst, from_galactic.at, 1e-5, "mas");
	report("ecliptic of date, 1800 to 2200", ecliptic.worst, ecliptic.at, 0.01, "mas");
	report("bias and precession P B, 1800 to 2200", bias_precession.worst, bias_precession.at, 0.01, "mas");
}

// UTC dates from 1972 to 2026 read as text, in each of their forms,
// against eraDtf2d, eraUtctai and eraTaitt: TT in seconds of the two-part
// Julian Date within 1 microsecond, that TT written as a Julian Date and
// read back too, and the epoch against eraEpj within its rounding, 4
// microseconds.  A quarter of the times are 23:59:60.x on the last day of
// June or December, a leap second or not, and a few fields are out of
// range: a text is a date exactly when eraDtf2d takes its numbers without
// an error or a time past the day's end.
static void dates()
{
	Random r{1972};
	Largest utc, jd, epoch;
	int verdicts = 0;
	for (int i = 0; i < 20000; i++) {
		int y = 1972 + r.below(55), mo = 1 + r.below(12), d = 1 + r.below(28), h = r.below(24), mi = r.below(60);
		long micro = r.below(60000000), form = i % 5;
		if (i % 4 == 0)
			mo = 6 + 6 * r.below(2), d = 30 + (mo == 12), h = 23, mi = 59, micro = 60000000 + r.below(1000000);
		else if (i % 4 == 1)
			d = 29 + r.below(3), h = r.below(26), mi = r.below(61); // some days, hours or minutes too many
		if (form < 3)
			micro = form == 2 ? micro / 1000000 * 1000000 : 0, h *= form > 0, mi *= form > 0;
		char text[64];
		int n = std::sprintf(text, "%04d-%02d-%02d", y, mo, d);
		if (form > 0)
			n += std::sprintf(text + n, "T%02d:%02d", h, mi);
		if (form > 1)
			n += std::sprintf(text + n, form == 2 ? ":%02.0f" : ":%09.6f", micro / 1e6);
		if (form > 0 && i % 2)
			std::sprintf(text + n, "Z");
		double d1, d2, t1, t2, tt1, tt2;
		int status = eraDtf2d("UTC", y, mo, d, h, mi, micro / 1e6, &d1, &d2);
		TtDate date;
		DateText got = read_date(text, &date);
		bool valid = status >= 0 && !(status & 2);
		verdicts += got != (valid ? DateText::DATE : DateText::NOT_CALENDAR);
		if (!valid || got != DateText::DATE)
			continue;
		eraUtctai(d1, d2, &t1, &t2);
		eraTaitt(t1, t2, &tt1, &tt2);
		utc.add(std::fabs((date.jd1 - tt1) + (date.jd2 - tt2)) * ERFA_DAYSEC * 1e6, y);
		epoch.add(std::fabs(date.epoch - eraEpj(tt1, tt2)) * ERFA_DJY * ERFA_DAYSEC * 1e6, y);
		// That TT as a Julian Date: its whole days, then 12 decimals.
		double days = tt1 + 0.5, rest = tt2 - 0.5;
		days += std::floor(rest), rest -= std::floor(rest);
		char decimals[32];
		std::sprintf(decimals, "%.12f", rest);
		std::sprintf(text, "JD%.0f%s", days, decimals + 1);
		got = read_date(text, &date);
		verdicts += got != DateText::DATE;
		jd.add(std::fabs((date.jd1 - tt1) + (date.jd2 - tt2)) * ERFA_DAYSEC * 1e6, y);
	}
	report("UTC dates to TT, 1972 to 2026 (at a year)", utc.worst, utc.at, 1, "us");
	report("TT written as a Julian Date (at a year)", jd.worst, jd.at, 1, "us");
	report("the Julian epoch of a date (at a year)", epoch.worst, epoch.at, 4, "us");
	report("texts read otherwise than eraDtf2d's verdict", verdicts, 0, 0, "texts");
}

// Sirius, Vega, Polaris, Arcturus, Betelgeuse, Canopus, Regulus, Spica,
// alpha Cen A, Proxima, Barnard's star and 61 Cyg A at 2016.0, from their
// Hipparcos and Gaia data, rounded.
static const Star BRIGHT[] = {
	{101.28715533, -16.71611586, -546.01, -1223.07, 379.21, -5.5, 2016},
	{279.23473479, 38.78368896, 200.94, 286.23, 130.23, -13.9, 2016},
	{37.95456067, 89.26410897, 44.48, -11.85, 7.54, -16.42, 2016},
	{213.91530029, 19.18240916, -1093.39, -2000.06, 88.83, -5.19, 2016},
	{88.79293899, 7.40706399, 27.54, 11.3, 6.55, 21.91, 2016},
	{95.98795782, -52.69566138, 19.93, 23.24, 10.55, 20.3, 2016},
	{152.09296244, 11.96720878, -248.73, 5.59, 41.13, 5.9, 2016},
	{201.29824736, -11.16131949, -42.35, -30.67, 13.06, 1.0, 2016},
	{219.90205833, -60.83399278, -3679.25, 473.67, 754.81, -21.4, 2016},
	{217.42894222, -62.67949033, -3781.31, 769.77, 768.07, -22.2, 2016},
	{269.44850252, 4.73942037, -801.55, 10362.39, 546.98, -110.5, 2016},
	{316.748662, 38.763863, 4164.209, 3249.614, 285.9949, -65.97, 2016},
};

// The distance between two vectors.
static double apart(const Vec &a, const double b[3])
{
	double d[3] = {a.x - b[0], a.y - b[1], a.z - b[2]};
	return std::sqrt(eraPdp(d, d));
}

// The standard routines' apparent place of (ra, dec), with the parallax
// px (0 for none), for the date d1 + d2 and eraEpv00's Earth there, pvh
// and pvb; and the star's elongation from the Sun, degrees.
static void their_apparent(double ra, double dec, double px, double d1, double d2, double pvh[2][3], double pvb[2][3],
                           double *a, double *b, double *elongation)
{
	double em, e[3], pco[3], pn[3], pa[3], v[3], rt[3], dpsi, deps, epsa, rb[3][3], rp[3][3], rbp[3][3], rn[3][3],
	        rbpn[3][3];
	eraPn(pvh[0], &em, e);
	eraPmpx(ra, dec, 0, 0, px, 0, 0, pvb[0], pco);
	eraLdsun(pco, e, em, pn);
	for (int k = 0; k < 3; k++)
		v[k] = pvb[1][k] * ERFA_AULT / ERFA_DAYSEC;
	eraAb(pn, v, em, std::sqrt(1 - eraPdp(v, v)), pa);
	eraNut00b(d1, d2, &dpsi, &deps);
	eraPn06(d1, d2, dpsi, deps, &epsa, rb, rp, rbp, rn, rbpn);
	eraRxp(rbpn, pa, rt);
	eraC2s(rt, a, b);
	double sun[3] = {-e[0], -e[1], -e[2]};
	*elongation = eraSepp(pco, sun) * ERFA_DR2D;
}

// Over random dates of 1900 to 2100: the Earth's state against eraEpv00,
// its velocity within 1 m/s and its positions within 2e-4 au; and the
// apparent place, of the twelve stars above, of random stars without
// motion, half of those within 5 degrees of the Sun, and of random stars
// moving with a parallax that the guard often raises, against the
// standard routines' chain with the same nutation: eraPmsafe to the date,
// eraPmpx with the parallax it returns (none where it raised it), eraLdsun
// and eraAb with eraEpv00's Earth, and eraPn06 of eraNut00b's angles.
// Within 1 mas more than 3 degrees from the Sun; nearer, where the error
// in the Sun's direction grows in the deflection, each band's largest
// difference is printed, not bounded.
static void apparent()
{
	Random r{2100};
	Largest velocity, heliocentric, barycentric, band[5];
	double c1, c2;
	eraEpj2jd(2016, &c1, &c2);
	for (int i = 0; i < 9000; i++) {
		double epoch = r.uniform(1900, 2100), d1, d2, pvh[2][3], pvb[2][3], em, e[3], ra, dec, px = 0;
		eraEpj2jd(epoch, &d1, &d2);
		eraEpv00(d1, d2, pvh, pvb);
		eraPn(pvh[0], &em, e);
		EarthState earth = earth_state(epoch);
		velocity.add(apart(earth.velocity, pvb[1]) * ERFA_DAU / ERFA_DAYSEC, epoch);
		heliocentric.add(apart(earth.heliocentric, pvh[0]), epoch);
		barycentric.add(apart(earth.barycentric, pvb[0]), epoch);
		CatalogueStar star;
		Motion motion = NO_MOTION;
		// A star of the twelve, or one moving up to 2.8" a year with a parallax
		// of up to 3 mas, which the guard often raises.
		if (i % 2 == 0 || i % 6 == 3) {
			Star s = i % 2 == 0 ? BRIGHT[i / 2 % 12]
			                    : Star{r.uniform(0, 360), std::asin(r.uniform(-1, 1)) * ERFA_DR2D, r.uniform(-2000, 2000),
			                           r.uniform(-2000, 2000), r.uniform(0, 3), r.uniform(-100, 100), 2016};
			ra = s.ra * ERFA_DD2R, dec = s.dec * ERFA_DD2R;
			star = {ra, dec, s.pmra * ERFA_DMAS2R / std::cos(dec), s.pmdec * ERFA_DMAS2R, s.parallax / 1000,
			        s.velocity};
			motion = IN_SPACE;
			double pr, pd, rv;
			if (eraPmsafe(ra, dec, star.mu_alpha, star.mu_delta, star.parallax, s.velocity, c1, c2, d1, d2, &ra,
			              &dec, &pr, &pd, &px, &rv) & 1)
				px = 0;
		} else { // a star without motion, anywhere, or 0.27 (the Sun's limb) to 5 degrees from the Sun
			double g[3], theta = r.uniform(0.27, 5) * ERFA_DD2R;
			eraS2c(r.uniform(0, 2 * PI), std::asin(r.uniform(-1, 1)), g);
			double gs = eraPdp(g, e), across = std::sqrt(1 - gs * gs);
			for (int k = 0; i % 6 == 1 && k < 3; k++)
				g[k] = -std::cos(theta) * e[k] + std::sin(theta) * (g[k] - gs * e[k]) / across;
			eraC2s(g, &ra, &dec);
			star = {ra, dec, 0, 0, 0, 0};
		}
		double a, b, a2, b2, elongation;
		across(ICRS, APPARENT, J2000, epoch, star, motion, &a, &b);
		their_apparent(ra, dec, px, d1, d2, pvh, pvb, &a2, &b2, &elongation);
		if (elongation > 0.27) // not behind the Sun's disc
			band[elongation > 5 ? 0 : elongation > 3 ? 1 : elongation > 2 ? 2 : elongation > 1 ? 3 : 4].add(
			        mas(a, b, a2, b2), elongation);
	}
	report("Earth's velocity, 1900 to 2100", velocity.worst, velocity.at, 1, "m/s");
	report("Earth's heliocentric position, 1900 to 2100", heliocentric.worst, heliocentric.at, 2e-4, "au");
	report("Earth's barycentric position, 1900 to 2100", barycentric.worst, barycentric.at, 2e-4, "au");
	report("apparent place, Sun more than 5 degrees away (at the elongation)", band[0].worst, band[0].at, 1, "mas");
	report("apparent place, Sun 3 to 5 degrees away", band[1].worst, band[1].at, 1, "mas");
	const char *nearer[] = {"2 to 3", "1 to 2", "0.27 (its limb) to 1"};
	for (int k = 2; k < 5; k++)
		std::printf("--: apparent place, Sun %s degrees away: largest difference %.2e mas at %g, not bounded\n",
		            nearer[k - 2], band[k].worst, band[k].at);
}

int main()
{
	for (const Span &s : spans) {
		double worst = 0, at = s.first;
		for (double epoch = s.first; epoch <= s.last; epoch += s.step) {
			double rp[3][3];
			Matrix p = s.ours(epoch);
			s.theirs(epoch, rp);
			for (int i = 0; i < 3; i++)
				for (int j = 0; j < 3; j++)
					if (std::fabs(p.p[i][j] - rp[i][j]) > worst)
						worst = std::fabs(p.p[i][j] - rp[i][j]), at = epoch;
		}
		report(s.label, worst, at, s.tolerance, "per element");
	}
	pairs();
	epochs();
	motion();
	frames();
	dates();
	apparent();
	return failed != 0;
}
#else
int main()
{
	std::printf("skipped: the standard routines are not installed (apt-get install liberfa-dev pkg-config)\n");
	return 77;
}
#endif
