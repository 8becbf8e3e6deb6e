// The programs' models against the IAU's standard routines in C (Debian's
// liberfa-dev), when the build found them, each in one loop that prints
// its largest difference and fails beyond its bound: the precession
// matrices against eraBp06's precession matrix rp and eraLtp; skysep's
// separation and position angle against eraSeps and eraPas.  Without the
// routines the check says that it is skipped (exit status 77).
#include <cmath>
#include <cstdio>

#include "matrices.hpp"
#include "random.hpp"
#include "separation.hpp"

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
	return failed != 0;
}
#else
int main()
{
	std::printf("skipped: the standard routines are not installed (apt-get install liberfa-dev pkg-config)\n");
	return 77;
}
#endif
