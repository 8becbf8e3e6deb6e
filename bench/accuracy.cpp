// Accuracy of both programs, for the figures of the manuals' ACCURACY and
// CAVEATS:
//   skysep's two formulas against the true separation of the texts, on
//   random pairs: wide, near 0, near 180 degrees and exactly opposite;
// against the IAU's standard astronomy routines in C (erfa):
//   precession's uniform model against the IAU 2006 precession matrix
//   (eraPmat06, J2000 to the target epoch) for spans of 1 to 1000 years
//   forward and back (the IAU model is not symmetric in time, this one is),
//   and the error of the printed right ascension in hours by declination
//   over a century;
//   each of precession's models against the long-term model (eraLtp) at
//   100, 1000 and 10000 years from 2000 either way, within its span.
// For each set it prints the worst difference between a printed value and
// the reference, which includes the rounding of the output to its printed
// digits (up to half a unit of the last one), and the share of cases whose
// printed value is exactly the reference rounded to the same digits.
//
// usage: accuracy precession [runs]
// (run by bench/accuracy.sh; runs defaults to 2000)
#include "decimal.hpp"
#include "random.hpp"
#include "separation.hpp"
#include "spawn.hpp"

#include <unistd.h>

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char *precession;

// The cases, the same on every machine whatever its C library.
static Random rng{2000};
static double uniform(double lo, double hi) { return rng.uniform(lo, hi); }

// Ends the bench with what went wrong with a run of prog.
static void failed(const char *prog, const Case &r)
{
	std::fprintf(stderr, "accuracy: %s: exit status %d, errors \"%s\"\n", prog, r.status, r.err.c_str());
	std::exit(1);
}

// The pairs of numbers that prog prints in catalogue mode with the options,
// one line for each line of in: prog OPTION... --bare -.
static std::vector<std::pair<double, double>> catalogue(const char *prog, std::vector<const char *> options,
                                                       const std::string &in)
{
	char path[] = "/tmp/skyangles-accuracy-XXXXXX";
	int fd = mkstemp(path);
	if (fd < 0 || write(fd, in.data(), in.size()) != static_cast<ssize_t>(in.size())) {
		std::perror(path);
		std::exit(1);
	}
	close(fd);
	options.insert(options.begin(), prog);
	options.insert(options.end(), {"--bare", "-"});
	Case r = run({}, prog, options, false, environ, path);
	unlink(path);
	if (r.status != 0)
		failed(prog, r);
	std::vector<std::pair<double, double>> out;
	double a, b;
	int used;
	for (const char *p = r.out.c_str(); std::sscanf(p, "%lf %lf\n%n", &a, &b, &used) == 2; p += used)
		out.push_back({a, b});
	return out;
}

// A random position, uniform on the sphere between the declinations lo
// and hi degrees, north or south: hours and degrees.
static void position(double *h, double *d, double lo = 0, double hi = 90)
{
	*h = uniform(0, 24);
	*d = std::asin(uniform(std::sin(lo * ERFA_DD2R), std::sin(hi * ERFA_DD2R))) * ERFA_DR2D;
	if (rng.below(2))
		*d = -*d;
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
		double got[2] = {separation(p, q), rad_to_deg(angle_between(p, q))};
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

// The worst differences of precession OPTION... --year=YEAR from the
// rotation rp over n positions, in one catalogue run: on the sky, in
// seconds of arc; in right ascension on the sky, and in declination, in
// degrees; in the printed right ascension, in hours; and the shares of
// right ascensions and declinations printed, at 3 decimals, as the
// reference rounds.  The positions that rp gives are uniform on the sphere
// between the declinations lo and hi, north or south; each input is one
// of them taken back by rp.
struct Worst {
	double sky, ra, dec, hours, ra_exact, dec_exact;
};
static Worst worst(std::vector<const char *> options, int year, double rp[3][3], int n, double lo = 0,
                   double hi = 90)
{
	std::string in, y = "--year=" + std::to_string(year);
	std::vector<std::pair<double, double>> want;
	for (int i = 0; i < n; i++) {
		double h, d, a, b, p[3], q[3];
		position(&h, &d, lo, hi);
		eraS2c(h * 15 * ERFA_DD2R, d * ERFA_DD2R, q);
		eraTrxp(rp, q, p);
		eraC2s(p, &a, &b);
		std::string th = fixed(eraAnp(a) * ERFA_DR2D / 15, 12), td = fixed(b * ERFA_DR2D, 12);
		in += th + " " + td + "\n";
		// The position that precession reads, not the one before printing.
		eraS2c(std::atof(th.c_str()) * 15 * ERFA_DD2R, std::atof(td.c_str()) * ERFA_DD2R, p);
		eraRxp(rp, p, q);
		eraC2s(q, &a, &b);
		want.push_back({eraAnp(a), b});
	}
	options.push_back(y.c_str());
	std::vector<std::pair<double, double>> got = catalogue(precession, options, in);
	Worst w = {0, 0, 0, 0, 0, 0};
	for (int i = 0; i < n; i++) {
		double gh = got[i].first, gd = got[i].second, a = want[i].first, b = want[i].second;
		double da = eraAnpm(gh * 15 * ERFA_DD2R - a);
		w.sky = std::fmax(w.sky, eraSeps(gh * 15 * ERFA_DD2R, gd * ERFA_DD2R, a, b) * ERFA_DR2AS);
		w.ra = std::fmax(w.ra, std::fabs(da) * std::cos(b) * ERFA_DR2D);
		w.dec = std::fmax(w.dec, std::fabs(gd - b * ERFA_DR2D));
		w.hours = std::fmax(w.hours, std::fabs(da) * ERFA_DR2D / 15);
		w.ra_exact += fixed(gh, 3) == fixed(a * ERFA_DR2D / 15, 3);
		w.dec_exact += fixed(gd, 3) == fixed(b * ERFA_DR2D, 3);
	}
	w.ra_exact = 100 * w.ra_exact / n, w.dec_exact = 100 * w.dec_exact / n;
	return w;
}

// The worst difference on the sky, in seconds of arc, of precession
// --model=MODEL at the epoch from the long-term model, eraLtp, printed with
// 9 decimals.
static double model_worst(const char *model, int epoch, int n)
{
	double rp[3][3];
	eraLtp(epoch, rp);
	std::string m = std::string("--model=") + model;
	return worst({m.c_str(), "--decimals=9"}, epoch, rp, n).sky;
}

int main(int argc, char *argv[])
{
	if (argc < 2 || argc > 3) {
		std::fprintf(stderr, "usage: %s precession [runs]\n", argv[0]);
		return 2;
	}
	precession = argv[1];
	int n = argc == 3 ? std::atoi(argv[2]) : 2000;
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

	std::printf("precession against IAU 2006 precession (eraPmat06), %d positions each;\n", n);
	std::printf("printed resolution 0.001 hours (0.015 degrees on the equator) and 0.001 degrees\n");
	std::printf("  span (years)   year   R.A. worst on the sky (deg)  exact   Dec worst (deg)  exact\n");
	double rbp[3][3];
	for (int span : {1, 10, 100, 1000, -1, -10, -100, -400, -1000}) {
		eraPmat06(ERFA_DJ00, span * ERFA_DJY, rbp);
		Worst w = worst({}, 2000 + span, rbp, n);
		std::printf("  %+12d   %4d   %27.4f  %5.1f%%   %15.4f  %5.1f%%\n", span, 2000 + span, w.ra, w.ra_exact, w.dec,
		            w.dec_exact);
	}
	std::printf("printed R.A. over 100 years, by precessed declination north or south\n");
	std::printf("  declination (degrees)   R.A. worst (hours)\n");
	const double bands[] = {0, 45, 70, 80, 85, 89, 89.9, 90};
	eraPmat06(ERFA_DJ00, 100 * ERFA_DJY, rbp);
	for (int i = 0; i < 7; i++)
		std::printf("  %9g to %-9g   %18.4f\n", bands[i], bands[i + 1], worst({}, 2100, rbp, n, bands[i], bands[i + 1]).hours);
	std::printf("\n");

	std::printf("precession's models against the long-term model (eraLtp), %d positions each, printed\n", n);
	std::printf("with 9 decimals; the worst difference on the sky, in seconds of arc\n");
	std::printf("  %7s %12s %12s %12s\n", "epoch", "uniform", "iau2006", "long-term");
	for (int epoch : {1900, 2100, 1000, 3000, -8000, 12000}) {
		std::printf("  %7d %12.4f", epoch, model_worst("uniform", epoch, n));
		if (epoch >= 1000 && epoch <= 3000)
			std::printf(" %12.4f", model_worst("iau2006", epoch, n));
		else
			std::printf(" %12s", "outside");
		std::printf(" %12.4f\n", model_worst("long-term", epoch, n));
	}
	return 0;
}
