// Accuracy of both programs against the IAU's standard astronomy routines
// in C (erfa):
//   skysep against eraSeps on random pairs of positions: wide, close, and
//   near-opposite;
//   precession against the IAU 2006 precession matrix (eraPmat06, J2000 to
//   the target epoch) for spans of 1, 10, 100 and 1000 years forward, and
//   1, 10, 100, 400 and 1000 years back (to 1600 and 1000, the equinoxes
//   of historical catalogues: the IAU model is not symmetric in time, this
//   one is, so the differences depend on the direction), and the error
//   of the printed right ascension in hours by declination over a century;
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
#include "run.hpp"

#include <unistd.h>

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char *skysep, *precession;

// Runs prog with args and reads at least n numbers from its line with
// pattern into a and b; a run that fails or prints a line that does not
// match ends the bench.
static void run_and_read(const char *prog, std::vector<std::string> args, const char *pattern, int n,
                         double *a, double *b)
{
	Case r = run({}, prog, argv_of(prog, args), false);
	if (r.status != 0 || std::sscanf(r.out.c_str(), pattern, a, b) < n) {
		std::fprintf(stderr, "accuracy: %s", prog);
		for (const std::string &s : args)
			std::fprintf(stderr, " %s", s.c_str());
		if (r.status < 0)
			std::fprintf(stderr, ": cannot be run\n");
		else
			std::fprintf(stderr, ": exit status %d, output \"%s\", errors \"%s\"\n", r.status,
			             r.out.c_str(), r.err.c_str());
		std::exit(1);
	}
}

// The cases, the same on every machine whatever its C library.
static Random rng{2000};
static double uniform(double lo, double hi) { return rng.uniform(lo, hi); }

// v with 12 decimals and a sign, + or -, then the mark.
static std::string signed_fixed(double v, const char *mark)
{
	return (std::signbit(v) ? "" : "+") + fixed(v, 12) + mark;
}

// A random position, uniform on the sphere: hours and degrees.
static void position(double *h, double *d)
{
	*h = uniform(0, 24);
	*d = std::asin(uniform(-1, 1)) * ERFA_DR2D;
}

enum Pairs { WIDE, CLOSE, OPPOSITE };

// skysep against eraSeps over n pairs: uniform on the sphere, or 1e-7 to
// 0.01 degrees from each other, or from opposite.  Prints the worst
// difference in degrees and the share printed as the reference rounds.
static void separation(int n, Pairs kind, const char *label)
{
	double worst = 0;
	int exact = 0, done = 0;
	while (done < n) {
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
		std::vector<std::string> t = {fixed(h1, 12) + "h", signed_fixed(d1, "o"), fixed(h2, 12) + "h",
		                              signed_fixed(d2, "o")};
		run_and_read(skysep, t, "angle = %lf degrees = %lf", 1, &got, &unused);
		// The values skysep read, not the ones before printing.
		h1 = std::atof(t[0].c_str()), d1 = std::atof(t[1].c_str());
		h2 = std::atof(t[2].c_str()), d2 = std::atof(t[3].c_str());
		double want = eraSeps(h1 * 15 * ERFA_DD2R, d1 * ERFA_DD2R, h2 * 15 * ERFA_DD2R, d2 * ERFA_DD2R) *
		              ERFA_DR2D;
		worst = std::fmax(worst, std::fabs(got - want));
		exact += fixed(got, 6) == fixed(want, 6);
		done++;
	}
	std::printf("  %-36s %9.2e   %5.1f%%\n", label, worst, 100.0 * exact / n);
}

// Worst differences of precession from eraPmat06 over n positions and a
// span of years: right ascension on the sky, and declination, in degrees,
// and the printed right ascension, in hours; and the shares of right
// ascensions and declinations printed as the reference rounds.  The
// precessed positions are uniform on the sphere between the declinations
// lo and hi, north or south; each input is the IAU precession of one taken
// back to J2000.
struct Precessed {
	double ra, dec, hours, ra_exact, dec_exact;
};
static Precessed precess(int n, int years, double lo, double hi)
{
	double rbp[3][3];
	eraPmat06(ERFA_DJ00, years * ERFA_DJY, rbp);
	Precessed w = {0, 0, 0, 0, 0};
	for (int i = 0; i < n; i++) {
		double h, d, gh, gd, p[3], q[3], a, b;
		a = uniform(0, ERFA_D2PI);
		b = std::asin(uniform(std::sin(lo * ERFA_DD2R), std::sin(hi * ERFA_DD2R)));
		if (rng.below(2))
			b = -b;
		eraS2c(a, b, q);
		eraTrxp(rbp, q, p);
		eraC2s(p, &h, &d);
		std::string th = fixed(eraAnp(h) * ERFA_DR2D / 15, 10), td = fixed(d * ERFA_DR2D, 10);
		run_and_read(precession, {th, td, std::to_string(2000 + years)}, "R.A. = %lf hours Dec = %lf", 2,
		             &gh, &gd);
		// The position precession read, not the one before printing.
		eraS2c(std::atof(th.c_str()) * 15 * ERFA_DD2R, std::atof(td.c_str()) * ERFA_DD2R, p);
		eraRxp(rbp, p, q);
		eraC2s(q, &a, &b);
		double da = eraAnpm(gh * 15 * ERFA_DD2R - a);
		w.ra = std::fmax(w.ra, std::fabs(da) * std::cos(b) * ERFA_DR2D);
		w.dec = std::fmax(w.dec, std::fabs(gd - b * ERFA_DR2D));
		w.hours = std::fmax(w.hours, std::fabs(da) * ERFA_DR2D / 15);
		w.ra_exact += fixed(gh, 3) == fixed(eraAnp(a) * ERFA_DR2D / 15, 3);
		w.dec_exact += fixed(gd, 3) == fixed(b * ERFA_DR2D, 3);
	}
	w.ra_exact = 100 * w.ra_exact / n, w.dec_exact = 100 * w.dec_exact / n;
	return w;
}

// The worst difference on the sky, in seconds of arc, of precession
// --model=MODEL at the epoch from the long-term model, eraLtp, over n
// random positions uniform on the sphere, printed with 9 decimals.
static double model_worst(const char *model, int epoch, int n)
{
	Random r{static_cast<uint64_t>(epoch + 300000)};
	char path[] = "/tmp/skyangles-accuracy-XXXXXX";
	int fd = mkstemp(path);
	std::string in;
	std::vector<double> h(n), d(n);
	for (int i = 0; i < n; i++) {
		std::string th = fixed(r.uniform(0, 24), 12);
		std::string td = fixed(std::asin(r.uniform(-1, 1)) * ERFA_DR2D, 12);
		h[i] = std::atof(th.c_str()), d[i] = std::atof(td.c_str());
		in += th + " " + td + "\n";
	}
	if (fd < 0 || write(fd, in.data(), in.size()) != static_cast<ssize_t>(in.size())) {
		std::perror(path);
		std::exit(1);
	}
	close(fd);
	std::string m = std::string("--model=") + model, y = "--year=" + std::to_string(epoch);
	Case c = run({}, precession, {precession, m.c_str(), y.c_str(), "--bare", "--decimals=9", "-"}, false, environ,
	             path);
	unlink(path);
	if (c.status != 0) {
		std::fprintf(stderr, "accuracy: precession %s %s: status %d, %s", m.c_str(), y.c_str(), c.status,
		             c.err.c_str());
		std::exit(1);
	}
	double rp[3][3], worst = 0;
	eraLtp(epoch, rp);
	const char *out = c.out.c_str();
	for (int i = 0; i < n; i++) {
		double gh, gd, p[3], q[3], a, b;
		int used;
		if (std::sscanf(out, "%lf %lf\n%n", &gh, &gd, &used) != 2) {
			std::fprintf(stderr, "accuracy: precession %s %s: line %d unread\n", m.c_str(), y.c_str(), i + 1);
			std::exit(1);
		}
		out += used;
		eraS2c(h[i] * 15 * ERFA_DD2R, d[i] * ERFA_DD2R, p);
		eraRxp(rp, p, q);
		eraC2s(q, &a, &b);
		worst = std::fmax(worst, eraSeps(gh * 15 * ERFA_DD2R, gd * ERFA_DD2R, a, b) * ERFA_DR2AS);
	}
	return worst;
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
	run_and_read(skysep, {"0", "0", "12", "0.000001"}, "angle = %lf degrees = %lf", 1, &got, &unused);
	double want = eraSeps(0, 0, ERFA_DPI, 1e-6 * ERFA_DD2R) * ERFA_DR2D;
	std::printf("  skysep 0 0 12 0.000001: prints %.6f, eraSeps %.6f degrees\n\n", got, want);

	std::printf("precession against IAU 2006 precession (eraPmat06), %d positions each;\n", n);
	std::printf("printed resolution 0.001 hours (0.015 degrees on the equator) and 0.001 degrees\n");
	std::printf("  span (years)   year   R.A. worst on the sky (deg)  exact   Dec worst (deg)  exact\n");
	for (int span : {1, 10, 100, 1000, -1, -10, -100, -400, -1000}) {
		Precessed w = precess(n, span, 0, 90);
		std::printf("  %+12d   %4d   %27.4f  %5.1f%%   %15.4f  %5.1f%%\n", span, 2000 + span, w.ra, w.ra_exact, w.dec,
		            w.dec_exact);
	}
	std::printf("printed R.A. over 100 years, by precessed declination north or south\n");
	std::printf("  declination (degrees)   R.A. worst (hours)\n");
	const double bands[] = {0, 45, 70, 80, 85, 89, 89.9, 90};
	for (int i = 0; i < 7; i++)
		std::printf("  %9g to %-9g   %18.4f\n", bands[i], bands[i + 1], precess(n, 100, bands[i], bands[i + 1]).hours);

	// Polaris, J2000 2h31m49.09s +89o15'50.8", in 2100.
	double rbp[3][3], p[3], q[3], a, b, gh, gd;
	run_and_read(precession, {"2.530303", "89.264111", "2100"}, "R.A. = %lf hours Dec = %lf", 2, &gh, &gd);
	eraPmat06(ERFA_DJ00, 100 * ERFA_DJY, rbp);
	eraS2c(2.530303 * 15 * ERFA_DD2R, 89.264111 * ERFA_DD2R, p);
	eraRxp(rbp, p, q);
	eraC2s(q, &a, &b);
	std::printf("  Polaris in 2100: prints %.3f hours, IAU 2006 %.3f hours\n\n", gh, eraAnp(a) * ERFA_DR2D / 15);

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
