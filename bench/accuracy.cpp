// Accuracy of both programs, for the figures of the manuals' ACCURACY and
// CAVEATS:
//   skysep's two formulas against the true separation of the texts, on
//   random pairs: wide, near 0, near 180 degrees and exactly opposite;
// against the IAU's standard astronomy routines in C (erfa):
//   each of precession's models against the long-term model (eraLtp) at
//   100, 1000 and 10000 years from 2000 either way, within its span.
// The formulas are the programs' own, compiled in; the worst difference of
// a printed figure from the reference includes its rounding.
//
// usage: accuracy [runs]     (run by bench/accuracy.sh; runs defaults to 2000)
#include "decimal.hpp"
#include "random.hpp"
#include "first_release.hpp"
#include "spawn.hpp"
#include "transform.hpp"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The cases, the same on every machine whatever its C library.
static Random rng{2000};
static double uniform(double lo, double hi) { return rng.uniform(lo, hi); }

// v as precession prints it with the decimals, read back.
static double printed(double v, int decimals)
{
	char text[FIXED_MAX];
	text[format_fixed(text, v, 0, decimals)] = '\0';
	return std::atof(text);
}

// A random position, uniform on the sphere: hours and degrees.
static void position(double *h, double *d)
{
	*h = uniform(0, 24);
	*d = std::asin(uniform(-1, 1)) * ERFA_DR2D;
}

// skysep's separation, printed at 6 and 9 decimals of degrees by each of
// its formulas, against the true separation of the positions that the
// texts denote, computed in long double from the texts: over n pairs
// uniform on the sphere, or from1 to to1 seconds of arc apart, from each
// other or from opposite, or exactly opposite texts.  Prints the worst
// difference in units of the last decimal, and the share printed as the
// true separation rounds.  The formulas are skysep's own, compiled in,
// and their figures are written as skysep writes them (format_fixed).
enum Pairs { WIDE, CLOSE, NEAR_OPPOSITE, OPPOSITE };
static void separation(int n, Pairs kind, const char *label)
{
	double worst[2][2] = {}, exact[2][2] = {};
	for (int done = 0; done < n;) {
		double h1, d1, h2, d2;
		position(&h1, &d1);
		if (kind == WIDE) {
			position(&h2, &d2);
		} else {
			double r = kind == OPPOSITE ? 0 : std::pow(10, uniform(-4, 1)) / 3600, phi = uniform(0, ERFA_D2PI);
			double h0 = kind == CLOSE ? h1 : std::fmod(h1 + 12, 24), d0 = kind == CLOSE ? d1 : -d1;
			d2 = d0 + r * std::cos(phi);
			h2 = h0 + r * std::sin(phi) / std::cos(d0 * ERFA_DD2R) / 15;
			if (std::fabs(d2) > 90 || h2 < 0)
				continue;
		}
		std::string t[4] = {fixed(h1, 12), fixed(d1, 12), fixed(h2, 12), fixed(d2, 12)};
		if (kind == OPPOSITE)
			t[2] = fixed(std::fmod(std::atof(t[0].c_str()) + 12, 24), 12), t[3] = fixed(-std::atof(t[1].c_str()), 12);
		// The true separation of the texts, and the values that skysep reads.
		long double v[4], pi = std::acos(-1.0L);
		double x[4];
		for (int k = 0; k < 4; k++)
			v[k] = std::strtold(t[k].c_str(), nullptr) * pi / (k % 2 ? 180 : 12), x[k] = std::atof(t[k].c_str());
		long double a[3] = {cosl(v[0]) * cosl(v[1]), sinl(v[0]) * cosl(v[1]), sinl(v[1])};
		long double b[3] = {cosl(v[2]) * cosl(v[3]), sinl(v[2]) * cosl(v[3]), sinl(v[3])};
		long double c[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
		long double want = atan2l(sqrtl(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]), a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) *
		                   180 / pi;
		Vec p = unit_vector(hours_to_rad(x[0]), deg_to_rad(x[1])), q = unit_vector(hours_to_rad(x[2]), deg_to_rad(x[3]));
		double got[2] = {first_release_separation(p, q), rad_to_deg(angle_between(p, q))};
		for (int f = 0; f < 2; f++) {
			for (int k = 0; k < 2; k++) {
				int decimals = k ? 9 : 6;
				char printed[FIXED_MAX], rounded[64];
				printed[format_fixed(printed, got[f], 0, decimals)] = '\0';
				std::snprintf(rounded, sizeof rounded, "%.*Lf", decimals, want);
				double units = static_cast<double>(fabsl(strtold(printed, nullptr) - want) * POW10[decimals]);
				worst[f][k] = std::fmax(worst[f][k], units);
				exact[f][k] += std::strcmp(printed, rounded) == 0;
			}
		}
		done++;
	}
	std::printf("  %-34s", label);
	for (int f = 0; f < 2; f++)
		for (int k = 0; k < 2; k++)
			std::printf("  %8.2f %6.1f%%", worst[f][k], 100 * exact[f][k] / n);
	std::printf("\n");
}

// The worst difference on the sky, in seconds of arc, of precession by the
// model to the epoch, printed with 9 decimals, from the long-term model
// (eraLtp) over n positions.  The positions that eraLtp gives are uniform
// on the sphere; each input is one of them taken back, written with 12
// decimals.  The model is precession's own, compiled in, and its figures
// are written as precession writes them (format_fixed).
static double model_worst(ModelName model, int epoch, int n)
{
	double worst = 0, rp[3][3];
	eraLtp(epoch, rp);
	Transform t = make_transform(model, J2000_EQUINOX, false, MEAN_OF_YEAR, NO_MOTION, 2000);
	DateMatrix last = {};
	for (int i = 0; i < n; i++) {
		double h, d, a, b, p[3], q[3];
		position(&h, &d);
		eraS2c(h * 15 * ERFA_DD2R, d * ERFA_DD2R, q);
		eraTrxp(rp, q, p);
		eraC2s(p, &a, &b);
		// The position that precession reads, from 12 decimals.
		h = std::atof(fixed(eraAnp(a) * ERFA_DR2D / 15, 12).c_str()), d = std::atof(fixed(b * ERFA_DR2D, 12).c_str());
		eraS2c(h * 15 * ERFA_DD2R, d * ERFA_DD2R, p);
		eraRxp(rp, p, q);
		eraC2s(q, &a, &b);
		a = eraAnp(a);
		double ra = 0, dec = 0;
		transform(t, last, Epoch{false, static_cast<double>(epoch), true, epoch},
		          CatalogueStar{hours_to_rad(h), deg_to_rad(d), 0, 0, 0, 0}, &ra, &dec);
		double gh = printed(rad_to_hours(ra), 9), gd = printed(rad_to_deg(dec), 9);
		worst = std::fmax(worst, eraSeps(gh * 15 * ERFA_DD2R, gd * ERFA_DD2R, a, b) * ERFA_DR2AS);
	}
	return worst;
}

int main(int argc, char *argv[])
{
	int n = argc == 2 ? std::atoi(argv[1]) : 2000;
	if (n < 1) {
		std::fprintf(stderr, "accuracy: runs must be a positive number\n");
		return 2;
	}
	std::printf("worst: the largest difference of a printed value from the reference, rounding included;\n"
	            "exact: the share printed as the reference rounded to the same digits\n\n");
	std::printf("skysep against the true separation of the texts, %d pairs each; the worst in units of the\n", n);
	std::printf("last decimal, and the share exact, at 6 and 9 decimals of degrees, by each formula\n");
	std::printf("  %-34s  %-34s  %s\n", "", "first release (runs without options)", "every other run");
	std::printf("  %-34s  %-16s  %-16s  %-16s  %s\n", "", "6 decimals", "9 decimals", "6 decimals", "9 decimals");
	separation(n, WIDE, "uniform on the sphere");
	separation(n, CLOSE, "near 0, 1e-4\" to 10\" apart");
	separation(n, NEAR_OPPOSITE, "near 180, 1e-4\" to 10\" from it");
	separation(n, OPPOSITE, "exactly opposite texts");
	std::printf("\n");

	std::printf("precession's models against the long-term model (eraLtp), %d positions each, printed\n", n);
	std::printf("with 9 decimals; the worst difference on the sky, in seconds of arc\n");
	std::printf("  %7s %12s %12s %12s\n", "epoch", "uniform", "iau2006", "long-term");
	for (int epoch : {1900, 2100, 1000, 3000, -8000, 12000}) {
		std::printf("  %7d %12.4f", epoch, model_worst(UNIFORM, epoch, n));
		if (epoch >= 1000 && epoch <= 3000)
			std::printf(" %12.4f", model_worst(IAU2006, epoch, n));
		else
			std::printf(" %12s", "outside");
		std::printf(" %12.4f\n", model_worst(LONG_TERM, epoch, n));
	}
	return 0;
}
