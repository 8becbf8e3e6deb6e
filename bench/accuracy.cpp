// Accuracy of both programs against the IAU's standard astronomy routines
// in C (erfa), for the figures of the manuals' CAVEATS:
//   skysep, single runs, against eraSeps on random pairs: wide, close, and
//   near-opposite;
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
// usage: accuracy skysep precession [runs]
// (run by bench/accuracy.sh; runs defaults to 2000)
#include "random.hpp"
#include "spawn.hpp"

#include <unistd.h>

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char *skysep, *precession;

// The cases, the same on every machine whatever its C library.
static Random rng{2000};
static double uniform(double lo, double hi) { return rng.uniform(lo, hi); }

// Ends the bench with what went wrong with a run of prog.
static void failed(const char *prog, const Case &r)
{
	std::fprintf(stderr, "accuracy: %s: exit status %d, errors \"%s\"\n", prog, r.status, r.err.c_str());
	std::exit(1);
}

// The numbers that prog prints for the arguments args, read with pattern.
static void single_run(const char *prog, std::vector<std::string> args, const char *pattern, double *a, double *b)
{
	Case r = run({}, prog, argv_of(prog, args), false);
	if (r.status != 0 || std::sscanf(r.out.c_str(), pattern, a, b) < 1)
		failed(prog, r);
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

// skysep against eraSeps over n single runs: pairs uniform on the sphere,
// or 1e-7 to 0.01 degrees from each other, or from opposite.  Prints the
// worst difference in degrees and the share printed as the reference
// rounds.
enum Pairs { WIDE, CLOSE, OPPOSITE };
static void separation(int n, Pairs kind, const char *label)
{
	double worst = 0;
	int exact = 0;
	for (int done = 0; done < n;) {
		double h1, d1, h2, d2, got, unused;
		position(&h1, &d1);
		if (kind == WIDE) {
			position(&h2, &d2);
		} else {
			double r = std::pow(10, uniform(-7, -2)), phi = uniform(0, ERFA_D2PI);
			double h0 = kind == CLOSE ? h1 : std::fmod(h1 + 12, 24), d0 = kind == CLOSE ? d1 : -d1;
			d2 = d0 + r * std::cos(phi);
			h2 = h0 + r * std::sin(phi) / std::cos(d0 * ERFA_DD2R) / 15;
			if (std::fabs(d2) > 90 || h2 < 0)
				continue;
		}
		std::vector<std::string> t = {fixed(h1, 12) + "h", fixed(std::fabs(d1), 12) + "o",
		                              fixed(h2, 12) + "h", fixed(std::fabs(d2), 12) + "o"};
		t[1].insert(0, d1 < 0 ? "-" : "+"), t[3].insert(0, d2 < 0 ? "-" : "+");
		single_run(skysep, t, "angle = %lf degrees = %lf", &got, &unused);
		// The values skysep read, not the ones before printing.
		double want = eraSeps(std::atof(t[0].c_str()) * 15 * ERFA_DD2R, std::atof(t[1].c_str()) * ERFA_DD2R,
		                      std::atof(t[2].c_str()) * 15 * ERFA_DD2R, std::atof(t[3].c_str()) * ERFA_DD2R) *
		              ERFA_DR2D;
		worst = std::fmax(worst, std::fabs(got - want));
		exact += fixed(got, 6) == fixed(want, 6);
		done++;
	}
	std::printf("  %-36s %9.2e   %5.1f%%\n", label, worst, 100.0 * exact / n);
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
	if (argc < 3 || argc > 4) {
		std::fprintf(stderr, "usage: %s skysep precession [runs]\n", argv[0]);
		return 2;
	}
	skysep = argv[1], precession = argv[2];
	int n = argc == 4 ? std::atoi(argv[3]) : 2000;
	if (n < 1) {
		std::fprintf(stderr, "accuracy: runs must be a positive number\n");
		return 2;
	}
	std::printf("worst: the largest difference of a printed value from the reference, rounding included;\n"
	            "exact: the share printed as the reference rounded to the same digits\n\n");
	std::printf("skysep against eraSeps, %d pairs each; printed resolution 0.000001 degrees\n", n);
	std::printf("  %-36s %9s   %6s\n", "", "worst (deg)", "exact");
	separation(n, WIDE, "wide pairs, uniform on the sphere");
	separation(n, CLOSE, "close pairs, 1e-7 to 0.01 degrees");
	separation(n, OPPOSITE, "near-opposite, 1e-7 to 0.01 from 180");
	double got, unused;
	single_run(skysep, {"0", "0", "12", "0.000001"}, "angle = %lf degrees = %lf", &got, &unused);
	double want = eraSeps(0, 0, ERFA_DPI, 1e-6 * ERFA_DD2R) * ERFA_DR2D;
	std::printf("  skysep 0 0 12 0.000001: prints %.6f, eraSeps %.6f degrees\n\n", got, want);

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
