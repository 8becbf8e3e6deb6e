// The match index's speed and memory: N reference rows spread over the
// sky, or over a field DEGREES square across 0 hours at +30 degrees, and
// N positions, 70% of them 0.3" from a row and the rest anywhere in the
// same part of the sky, each searched within 1"; prints the rows, the seconds that adding the
// rows and building the index took, the nanoseconds a search took on
// average (the N positions searched in turn as many times as make a
// million searches at least), the bytes a row took (its own and the
// index's), and the positions matched.
//
// usage: match N [DEGREES]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "angles.hpp"
#include "match_index.hpp"
#include "random.hpp"

using Clock = std::chrono::steady_clock;

static double seconds_since(Clock::time_point start)
{
	return std::chrono::duration<double>(Clock::now() - start).count();
}

int main(int argc, char *argv[])
{
	long n = argc == 2 || argc == 3 ? std::atol(argv[1]) : 0;
	double field = argc == 3 ? deg_to_rad(std::atof(argv[2])) : 0;
	if (n < 1) {
		std::fprintf(stderr, "usage: match N [DEGREES]\n");
		return 2;
	}
	Random r{2000};
	// A position anywhere in the sky, or in the field.
	auto anywhere = [&](double *a, double *d) {
		if (field == 0) {
			*a = r.uniform(0, 2 * PI), *d = std::asin(r.uniform(-1, 1));
		} else {
			*d = deg_to_rad(30) + r.uniform(-field / 2, field / 2);
			*a = std::fmod(r.uniform(-field / 2, field / 2) / std::cos(*d) + 2 * PI, 2 * PI);
		}
	};
	std::vector<double> ra(n), dec(n);
	for (long i = 0; i < n; i++)
		anywhere(&ra[i], &dec[i]);
	// The positions: a row's moved 0.3" in any direction, or anywhere.
	std::vector<double> qa(n), qd(n);
	for (long i = 0; i < n; i++) {
		if (r.below(10) < 7) {
			long j = r.below(static_cast<int>(n));
			double d = 0.3 * ARCSEC, phi = r.uniform(0, 2 * PI), d0 = dec[j];
			qd[i] = std::asin(std::sin(d0) * std::cos(d) + std::cos(d0) * std::sin(d) * std::cos(phi));
			qa[i] = std::fmod(ra[j] + std::atan2(std::sin(phi) * std::sin(d) * std::cos(d0),
			                                     std::cos(d) - std::sin(d0) * std::sin(qd[i])) + 2 * PI, 2 * PI);
		} else {
			anywhere(&qa[i], &qd[i]);
		}
	}
	Clock::time_point start = Clock::now();
	Reference reference = {};
	for (long i = 0; i < n; i++) {
		if (!add_reference_row(reference, ra[i], dec[i], static_cast<unsigned long long>(i) + 1)) {
			std::fprintf(stderr, "match: too large for memory (%zu rows read)\n", reference.count);
			return 1;
		}
	}
	double adding = seconds_since(start);
	start = Clock::now();
	MatchIndex index;
	if (!build_match_index(reference, index)) {
		std::fprintf(stderr, "match: too large for memory (%zu rows read)\n", reference.count);
		return 1;
	}
	double building = seconds_since(start);
	start = Clock::now();
	long matched = 0, turns = (1000000 + n - 1) / n;
	for (long turn = 0; turn < turns; turn++)
		for (long i = 0; i < n; i++)
			matched += nearest(index, qa[i], qd[i], ARCSEC).line != 0;
	double searching = seconds_since(start) / turns;
	matched /= turns;
	double bytes = static_cast<double>(reference_bytes(reference) + match_index_bytes(index));
	std::printf("%ld rows: adding %.3f s, building %.3f s, %.0f ns a search, %.1f bytes a row, %.1f%% matched\n", n,
	            adding, building, searching / n * 1e9, bytes / n, 100.0 * matched / n);
	release_match_index(index);
	release_reference(reference);
	return 0;
}
