// The precession matrices of iau2006 and long-term against the IAU's
// standard routines in C (Debian's liberfa-dev), when the build found
// them: eraBp06's precession matrix rp, and eraLtp.  Without them the
// check says that it is skipped (exit status 77).
#include <cmath>
#include <cstdio>

#include "matrices.hpp"

#ifdef SKYANGLES_ERFA
#include <erfa.h>

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

int main()
{
	int failed = 0;
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
		bool ok = worst <= s.tolerance;
		failed += !ok;
		std::printf("%s: %s: largest difference %.2e at %g, within %.0e\n", ok ? "ok" : "FAIL", s.label, worst,
		            at, s.tolerance);
	}
	return failed != 0;
}
#else
int main()
{
	std::printf("skipped: the standard routines are not installed (apt-get install liberfa-dev pkg-config)\n");
	return 77;
}
#endif
