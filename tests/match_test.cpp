// The match index against a search of every row, in one loop over
// catalogues of 0 to 3000 rows and 3000 positions each: rows spread over
// the sky, within a degree of either pole, at the poles, across 0 hours (2
// pi itself included), or all in a field across 0 hours or around a pole,
// and repeated on later lines; positions at a row, near one or anywhere;
// radii of 0, of 180 degrees, of any size between, and exactly the
// separation of the position from a row.  The line number and the
// separation must be those of the search of every row, bit for bit.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "match_index.hpp"
#include "random.hpp"

// Where the rows of a catalogue are.
enum Sky { ANYWHERE, FIELD_AT_0H, POLAR_CAP };

// A position of the sky: spread over it, near a pole or at one, or across
// 0 hours; in a field 4 degrees wide across 0 hours; or within 2 degrees
// of the north pole.
static void position(Random &r, Sky sky, double *ra, double *dec)
{
	*ra = r.uniform(0, 2 * PI);
	*dec = std::asin(r.uniform(-1, 1));
	if (sky == FIELD_AT_0H)
		*ra = std::fmod(r.uniform(-0.035, 0.035) + 2 * PI, 2 * PI), *dec = r.uniform(0.4, 0.47);
	if (sky == POLAR_CAP)
		*dec = PI / 2 - r.uniform(0, 0.035);
	if (sky != ANYWHERE)
		return;
	switch (r.below(6)) {
	case 0: *dec = std::copysign(PI / 2 - r.uniform(0, PI / 180), *dec); break;
	case 1: *dec = std::copysign(PI / 2, *dec); break;
	case 2: *ra = r.below(8) == 0 ? 2 * PI : std::fmod(r.uniform(-0.01, 0.01) + 2 * PI, 2 * PI); break;
	}
}

// The position d radians from (ra, dec), in any direction.
static void near(Random &r, double d, double *ra, double *dec)
{
	double phi = r.uniform(0, 2 * PI), d0 = *dec;
	*dec = std::asin(std::sin(d0) * std::cos(d) + std::cos(d0) * std::sin(d) * std::cos(phi));
	*ra += std::atan2(std::sin(phi) * std::sin(d) * std::cos(d0), std::cos(d) - std::sin(d0) * std::sin(*dec));
	*ra = std::fmod(*ra + 4 * PI, 2 * PI);
}

int main()
{
	struct Catalogue {
		int rows;
		Sky sky;
	};
	Random r{1};
	static double ra[3000], dec[3000];
	static Vec v[3000];
	static unsigned long long line[3000];
	long checked = 0, matched = 0, failed = 0;
	for (Catalogue cat : {Catalogue{0, ANYWHERE}, {1, ANYWHERE}, {40, ANYWHERE}, {3000, ANYWHERE}, {3000, FIELD_AT_0H},
	                      {2000, POLAR_CAP}}) {
		int n = cat.rows;
		Reference reference = {};
		for (int i = 0; i < n; i++) {
			line[i] = (i ? line[i - 1] : 0) + 1 + r.below(3); // and comments between
			position(r, cat.sky, &ra[i], &dec[i]);
			if (i > 0 && r.below(5) == 0) { // a row repeated
				int j = r.below(i);
				ra[i] = ra[j], dec[i] = dec[j];
			}
			add_reference_row(reference, ra[i], dec[i], line[i]);
			v[i] = unit_vector(ra[i], dec[i]);
		}
		MatchIndex index;
		if (!build_match_index(reference, index))
			return std::printf("FAIL: no room for the index\n"), 1;
		for (int i = 0; i < 3000; i++) {
			int j = n > 0 ? r.below(n) : 0;
			double a = ra[j], d = dec[j], radius = std::pow(10, r.uniform(-9, 0.5));
			if (i % 3 == 0)
				near(r, std::pow(10, r.uniform(-11, 0)), &a, &d);
			else if (i % 3 == 1)
				position(r, i % 2 ? cat.sky : ANYWHERE, &a, &d);
			Vec q = unit_vector(a, d);
			switch (i % 5) {
			case 0: radius = 0; break;
			case 1: radius = PI; break;
			case 2: j = n > 0 ? r.below(n) : 0; [[fallthrough]];
			case 3: radius = angle_between(q, v[j]); break; // a row at the radius
			}
			Match best = {0, 0};
			for (int k = 0; k < n; k++) {
				double s = angle_between(q, v[k]);
				if (s <= radius && (best.line == 0 || s < best.separation))
					best = Match{line[k], s};
			}
			Match got = nearest(index, a, d, radius);
			checked++;
			matched += best.line != 0;
			if (got.line != best.line || got.separation != best.separation) {
				failed++;
				std::printf("FAIL: %d rows, position %.17g %.17g, radius %.17g: line %llu at %.17g, not %llu at "
				            "%.17g\n", n, a, d, radius, got.line, got.separation, best.line, best.separation);
			}
		}
		release_match_index(index);
		release_reference(reference);
	}
	std::printf("%s: %ld positions, %ld matched, %ld not as every row's search\n", failed ? "FAIL" : "ok",
	            checked, matched, failed);
	return failed != 0;
}
