#!/bin/sh
# Accuracy of both programs against the IAU's standard astronomy routines
# in C (Debian's liberfa-dev; used by this benchmark only):
#   skysep against eraSeps on random pairs of positions: wide, close, and
#   near-opposite;
#   precession against the IAU 2006 precession matrix (eraPmat06, J2000 to
#   the target epoch) for spans of 1, 10, 100 and 1000 years, and the error
#   of the printed right ascension in hours by declination over a century.
# Each worst difference is printed next to the resolution of the output.
#
# usage: bench/accuracy.sh [build-dir [runs]]
# The build folder (default: build in the repository) is taken from where
# the script is run, configured as an optimised build and brought up to date.
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
build=$(ready "${1:-$repo/build}")
runs=${2:-2000}
if [ ! -f /usr/include/erfa.h ]; then
	echo "$0: needs the IAU routines in C: apt-get install liberfa-dev" >&2
	exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/compare.c" <<'C'
#include <erfa.h>
#include <erfam.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

static const char *skysep, *precession;

/* Runs a command and reads the numbers its line holds at the given pattern. */
static int run(const char *cmd, const char *pattern, double *a, double *b)
{
	char line[256];
	FILE *f = popen(cmd, "r");
	int n = f && fgets(line, sizeof line, f) ? sscanf(line, pattern, a, b) : 0;
	if (f)
		pclose(f);
	return n;
}

static double uniform(double lo, double hi) { return lo + (hi - lo) * (rand() / (RAND_MAX + 1.0)); }

/* A random position, uniform on the sphere: hours and degrees. */
static void position(double *h, double *d)
{
	*h = uniform(0, 24);
	*d = asin(uniform(-1, 1)) * ERFA_DR2D;
}

enum pairs { WIDE, CLOSE, OPPOSITE };

/* Worst difference of skysep from eraSeps over n pairs: uniform on the
   sphere, or 1e-7 to 0.01 degrees from each other, or from opposite. */
static double separation(int n, enum pairs kind)
{
	double worst = 0;
	for (int i = 0; i < n; i++) {
		double h1, d1, h2, d2, got, unused;
		position(&h1, &d1);
		if (kind == WIDE) {
			position(&h2, &d2);
		} else {
			double r = pow(10, uniform(-7, -2)), phi = uniform(0, ERFA_D2PI);
			double h0 = kind == CLOSE ? h1 : fmod(h1 + 12, 24), d0 = kind == CLOSE ? d1 : -d1;
			d2 = d0 + r * cos(phi);
			h2 = h0 + r * sin(phi) / cos(d0 * ERFA_DD2R) / 15;
			if (fabs(d2) > 90 || h2 < 0)
				continue;
		}
		char t[4][32], cmd[256];
		snprintf(t[0], 32, "%.12fh", h1);
		snprintf(t[1], 32, "%+.12fo", d1);
		snprintf(t[2], 32, "%.12fh", h2);
		snprintf(t[3], 32, "%+.12fo", d2);
		snprintf(cmd, sizeof cmd, "%s %s %s %s %s", skysep, t[0], t[1], t[2], t[3]);
		if (run(cmd, "angle = %lf degrees = %lf", &got, &unused) < 1)
			return NAN;
		/* The values skysep read, not the ones before printing. */
		h1 = atof(t[0]), d1 = atof(t[1]), h2 = atof(t[2]), d2 = atof(t[3]);
		double want = eraSeps(h1 * 15 * ERFA_DD2R, d1 * ERFA_DD2R, h2 * 15 * ERFA_DD2R,
		                      d2 * ERFA_DD2R) * ERFA_DR2D;
		worst = fmax(worst, fabs(got - want));
	}
	return worst;
}

/* Worst differences of precession from eraPmat06 over n positions and a
   span of years: right ascension on the sky, and declination, in degrees,
   and the printed right ascension, in hours.  The precessed positions are
   uniform on the sphere between the declinations lo and hi, north or
   south; each input is the IAU precession of one taken back to J2000. */
static void precess(int n, int years, double lo, double hi, double *ra, double *dec, double *hours)
{
	double rbp[3][3];
	eraPmat06(ERFA_DJ00, years * ERFA_DJY, rbp);
	*ra = *dec = *hours = 0;
	for (int i = 0; i < n; i++) {
		double h, d, gh, gd, p[3], q[3], a, b;
		char cmd[256], th[32], td[32];
		a = uniform(0, ERFA_D2PI);
		b = asin(uniform(sin(lo * ERFA_DD2R), sin(hi * ERFA_DD2R)));
		if (rand() % 2)
			b = -b;
		eraS2c(a, b, q);
		eraTrxp(rbp, q, p);
		eraC2s(p, &h, &d);
		snprintf(th, sizeof th, "%.10f", eraAnp(h) * ERFA_DR2D / 15);
		snprintf(td, sizeof td, "%.10f", d * ERFA_DR2D);
		snprintf(cmd, sizeof cmd, "%s %s %s %d", precession, th, td, 2000 + years);
		if (run(cmd, "R.A. = %lf hours Dec = %lf", &gh, &gd) < 2) {
			*ra = *dec = *hours = NAN;
			return;
		}
		/* The position precession read, not the one before printing. */
		eraS2c(atof(th) * 15 * ERFA_DD2R, atof(td) * ERFA_DD2R, p);
		eraRxp(rbp, p, q);
		eraC2s(q, &a, &b);
		double da = eraAnpm(gh * 15 * ERFA_DD2R - a);
		*ra = fmax(*ra, fabs(da) * cos(b) * ERFA_DR2D);
		*dec = fmax(*dec, fabs(gd - b * ERFA_DR2D));
		*hours = fmax(*hours, fabs(da) * ERFA_DR2D / 15);
	}
}

int main(int argc, char *argv[])
{
	if (argc != 4)
		return 2;
	skysep = argv[1], precession = argv[2];
	int n = atoi(argv[3]);
	srand(2000);
	printf("skysep against eraSeps, %d pairs each; printed resolution 0.000001 degrees\n", n);
	printf("  wide pairs, uniform on the sphere:     worst %.2e degrees\n", separation(n, WIDE));
	printf("  close pairs, 1e-7 to 0.01 degrees:     worst %.2e degrees\n", separation(n, CLOSE));
	printf("  near-opposite, 1e-7 to 0.01 from 180:  worst %.2e degrees\n", separation(n, OPPOSITE));
	double got, unused, want;
	char cmd[256];
	snprintf(cmd, sizeof cmd, "%s 0 0 12 0.000001", skysep);
	run(cmd, "angle = %lf degrees = %lf", &got, &unused);
	want = eraSeps(0, 0, ERFA_DPI, 1e-6 * ERFA_DD2R) * ERFA_DR2D;
	printf("  skysep 0 0 12 0.000001:  prints %.6f, eraSeps %.6f degrees\n", got, want);
	printf("precession against IAU 2006 precession (eraPmat06), %d positions each;\n", n);
	printf("printed resolution 0.001 hours (0.015 degrees on the equator) and 0.001 degrees\n");
	printf("  span (years)   R.A. on the sky (degrees)   Dec (degrees)\n");
	int spans[] = {1, 10, 100, 1000};
	for (int i = 0; i < 4; i++) {
		double ra, dec, hours;
		precess(n, spans[i], 0, 90, &ra, &dec, &hours);
		printf("  %12d   %25.4f   %13.4f\n", spans[i], ra, dec);
	}
	printf("printed R.A. over 100 years, by precessed declination north or south\n");
	printf("  declination (degrees)   R.A. printed (hours)\n");
	double bands[] = {0, 45, 70, 80, 85, 89, 89.9, 90};
	for (int i = 0; i < 7; i++) {
		double ra, dec, hours;
		precess(n, 100, bands[i], bands[i + 1], &ra, &dec, &hours);
		printf("  %9g to %-9g   %20.4f\n", bands[i], bands[i + 1], hours);
	}
	/* Polaris, J2000 2h31m49.09s +89o15'50.8", in 2100. */
	double rbp[3][3], p[3], q[3], a, b, gh, gd;
	snprintf(cmd, sizeof cmd, "%s 2.530303 89.264111 2100", precession);
	run(cmd, "R.A. = %lf hours Dec = %lf", &gh, &gd);
	eraPmat06(ERFA_DJ00, 100 * ERFA_DJY, rbp);
	eraS2c(2.530303 * 15 * ERFA_DD2R, 89.264111 * ERFA_DD2R, p);
	eraRxp(rbp, p, q);
	eraC2s(q, &a, &b);
	printf("  Polaris in 2100: prints %.3f hours, IAU 2006 %.3f hours\n", gh, eraAnp(a) * ERFA_DR2D / 15);
	return 0;
}
C
cc -O2 -o "$tmp/compare" "$tmp/compare.c" -lerfa -lm
"$tmp/compare" "$(realpath "$build/skysep")" "$(realpath "$build/precession")" "$runs"
