#!/bin/sh
# Accuracy of both programs against the IAU's standard astronomy routines
# in C (Debian's liberfa-dev, installed here when missing; used by this
# benchmark only):
#   skysep against eraSeps on random pairs of positions, wide and close;
#   precession against the IAU 2006 precession matrix (eraPmat06, J2000 to
#   the target epoch) for spans of 1, 10, 100 and 1000 years.
# Each worst difference is printed next to the resolution of the output.
#
# usage: bench/accuracy.sh [build-dir [runs]]     (default: build 2000)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-2000}
[ -x "$build/skysep" ] && [ -x "$build/precession" ] ||
	{ cmake -B "$build" -DCMAKE_BUILD_TYPE=Release && cmake --build "$build"; }
if [ ! -f /usr/include/erfa.h ]; then
	apt-get update
	DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends liberfa-dev
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

/* Worst difference of skysep from eraSeps over n pairs, close or wide. */
static double separation(int n, int close)
{
	double worst = 0;
	for (int i = 0; i < n; i++) {
		double h1, d1, h2, d2, got, unused;
		position(&h1, &d1);
		if (close) {
			double r = pow(10, uniform(-7, -2)), phi = uniform(0, ERFA_D2PI);
			d2 = d1 + r * cos(phi);
			h2 = h1 + r * sin(phi) / cos(d1 * ERFA_DD2R) / 15;
			if (fabs(d2) > 90 || h2 < 0)
				continue;
		} else {
			position(&h2, &d2);
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
   span of years: right ascension on the sky, and declination, in degrees. */
static void precess(int n, int years, double *ra, double *dec)
{
	double rbp[3][3];
	eraPmat06(ERFA_DJ00, years * ERFA_DJY, rbp);
	*ra = *dec = 0;
	for (int i = 0; i < n; i++) {
		double h, d, gh, gd, p[3], q[3], a, b;
		char cmd[256];
		position(&h, &d);
		snprintf(cmd, sizeof cmd, "%s %.10f %.10f %d", precession, h, d, 2000 + years);
		if (run(cmd, "R.A. = %lf hours Dec = %lf", &gh, &gd) < 2) {
			*ra = *dec = NAN;
			return;
		}
		eraS2c(h * 15 * ERFA_DD2R, d * ERFA_DD2R, p);
		eraRxp(rbp, p, q);
		eraC2s(q, &a, &b);
		double da = eraAnpm(gh * 15 * ERFA_DD2R - a) * cos(b);
		*ra = fmax(*ra, fabs(da) * ERFA_DR2D);
		*dec = fmax(*dec, fabs(gd - b * ERFA_DR2D));
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
	printf("  wide pairs, uniform on the sphere:  worst %.2e degrees\n", separation(n, 0));
	printf("  close pairs, 1e-7 to 0.01 degrees:  worst %.2e degrees\n", separation(n, 1));
	printf("precession against IAU 2006 precession (eraPmat06), %d positions each;\n", n);
	printf("printed resolution 0.001 hours (0.015 degrees on the equator) and 0.001 degrees\n");
	printf("  span (years)   R.A. on the sky (degrees)   Dec (degrees)\n");
	int spans[] = {1, 10, 100, 1000};
	for (int i = 0; i < 4; i++) {
		double ra, dec;
		precess(n, spans[i], &ra, &dec);
		printf("  %12d   %25.4f   %13.4f\n", spans[i], ra, dec);
	}
	return 0;
}
C
cc -O2 -o "$tmp/compare" "$tmp/compare.c" -lerfa -lm
"$tmp/compare" "$(realpath "$build/skysep")" "$(realpath "$build/precession")" "$runs"
