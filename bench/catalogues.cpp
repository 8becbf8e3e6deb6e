// The catalogues of bench/catalogue.sh, N lines to FILE: pairs of
// positions, 03h13m29.07s +62o32'17.1 ...; positions and years,
// 14.031978 -62.855065 2345 (hours and degrees, years 1000 to 3000); and
// stars, the same with pmra pmdec (mas a year), parallax (mas) and radial
// velocity (km/s) before the year; fixed, the positions of pairs in
// fixed-width columns of blank-separated fields, 03 13 29.07 +62 32 17.1;
// and dated, positions with a date of UTC each, 1972 to 2100, in place of
// the year, 2031-07-14T03:25:41.2Z.
// And the two catalogues of a cross-match, degrees in CSV under the
// header ra,dec: match-file, M rows anywhere on the sky,
// 12.345678901,-6.789012345; match-input, N lines, each with 7 chances in
// 10 the position of one of those M rows moved 0.3" in any direction (the
// rows taken in a shuffled order, again from the start when they run out),
// else anywhere.
// And the floors: the formulas of skysep - and precession -, compiled in,
// on the values of the same pairs or positions, without reading or
// writing; they print their sum, and the seconds they took on standard
// error.
//
// usage: catalogues pairs|positions|stars|fixed|dated N FILE | pairs-floor|positions-floor N
//        | match-file M FILE | match-input M N FILE
#include "random.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "angles.hpp"
#include "transform.hpp"

// A position of a pair: right ascension in hours, minutes and hundredths
// of a second of time, declination in degrees, minutes and tenths of a
// second of arc.
struct Marked {
	int h, m, cs;
	char sign;
	int d, dm, ds;
};

static Marked marked(Random &r)
{
	return {r.below(24), r.below(60), r.below(6000), "+-"[r.below(2)], r.below(90), r.below(60), r.below(600)};
}

// Writes the position p, and after it the byte after.
static void write(FILE *f, const Marked &p, char after)
{
	std::fprintf(f, "%02dh%02dm%02d.%02ds %c%02do%02d'%02d.%d%c", p.h, p.m, p.cs / 100, p.cs % 100, p.sign, p.d, p.dm,
	             p.ds / 10, p.ds % 10, after);
}

// The hours and degrees that skysep reads from the texts of p.
static void read(const Marked &p, double *h, double *d)
{
	*h = p.cs / 100.0 / 3600.0 + (p.m / 60.0 + p.h);
	*d = p.ds / 10.0 / 3600.0 + (p.dm / 60.0 + p.d);
	if (p.sign == '-')
		*d = -*d;
}

// A position and year of precession: millionths of an hour and of a degree.
struct Decimal {
	long hours, degrees;
	int year;
};

static Decimal decimal(Random &r)
{
	return {static_cast<long>(r.next() % 24000000), static_cast<long>(r.next() % 180000001) - 90000000,
	        1000 + r.below(2001)};
}

// A position anywhere on the sky, evenly spread, in radians.
static void anywhere(Random &r, double *ra, double *dec)
{
	*ra = r.uniform(0, 2 * PI);
	*dec = std::asin(r.uniform(-1, 1));
}

// The rows of match-file, in radians, drawn first from r.
static void match_rows(Random &r, long m, std::vector<double> &ra, std::vector<double> &dec)
{
	ra.resize(m), dec.resize(m);
	for (long i = 0; i < m; i++)
		anywhere(r, &ra[i], &dec[i]);
}

// Writes the CSV of the positions, in degrees.
static int write_csv(const char *path, const std::vector<double> &ra, const std::vector<double> &dec)
{
	FILE *f = std::fopen(path, "w");
	if (!f)
		return 1;
	std::fputs("ra,dec\n", f);
	for (size_t i = 0; i < ra.size(); i++)
		std::fprintf(f, "%.9f,%.9f\n", rad_to_deg(ra[i]), rad_to_deg(dec[i]));
	return std::fclose(f) != 0;
}

// Prints the sum, and the seconds since start on standard error.
static int took(std::chrono::steady_clock::time_point start, double sum)
{
	std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
	std::printf("%g\n", sum);
	std::fprintf(stderr, "%.4f\n", seconds.count());
	return 0;
}

int main(int argc, char *argv[])
{
	const char *job = argc > 2 ? argv[1] : "";
	long n = argc > 2 ? std::atol(argv[2]) : 0;
	Random r{2000};
	if (argc == 4 && std::strcmp(job, "pairs") == 0) {
		FILE *f = std::fopen(argv[3], "w");
		if (!f)
			return 1;
		for (long i = 0; i < n; i++) {
			Marked a = marked(r), b = marked(r);
			write(f, a, ' ');
			write(f, b, '\n');
		}
		return std::fclose(f) != 0;
	}
	if (argc == 4 && std::strcmp(job, "fixed") == 0) {
		FILE *f = std::fopen(argv[3], "w");
		if (!f)
			return 1;
		for (long i = 0; i < n; i++) {
			Marked p = marked(r);
			std::fprintf(f, "%02d %02d %02d.%02d %c%02d %02d %02d.%d\n", p.h, p.m, p.cs / 100, p.cs % 100, p.sign, p.d,
			             p.dm, p.ds / 10, p.ds % 10);
		}
		return std::fclose(f) != 0;
	}
	if (argc == 4 && std::strcmp(job, "dated") == 0) {
		FILE *f = std::fopen(argv[3], "w");
		if (!f)
			return 1;
		for (long i = 0; i < n; i++) {
			Decimal p = decimal(r);
			long d = std::labs(p.degrees);
			std::fprintf(f, "%ld.%06ld %s%ld.%06ld %04d-%02d-%02dT%02d:%02d:%02d.%dZ\n", p.hours / 1000000,
			             p.hours % 1000000, p.degrees < 0 ? "-" : "", d / 1000000, d % 1000000, 1972 + r.below(129),
			             1 + r.below(12), 1 + r.below(28), r.below(24), r.below(60), r.below(60), r.below(10));
		}
		return std::fclose(f) != 0;
	}
	if (argc == 4 && (std::strcmp(job, "positions") == 0 || std::strcmp(job, "stars") == 0)) {
		FILE *f = std::fopen(argv[3], "w");
		if (!f)
			return 1;
		for (long i = 0; i < n; i++) {
			Decimal p = decimal(r);
			long d = std::labs(p.degrees);
			std::fprintf(f, "%ld.%06ld %s%ld.%06ld ", p.hours / 1000000, p.hours % 1000000, p.degrees < 0 ? "-" : "",
			             d / 1000000, d % 1000000);
			if (job[0] == 's')
				std::fprintf(f, "%.2f %.2f %.2f %.1f ", r.uniform(-999, 999), r.uniform(-999, 999), r.uniform(0, 99),
				             r.uniform(-99, 99));
			std::fprintf(f, "%d\n", p.year);
		}
		return std::fclose(f) != 0;
	}
	if (argc == 3 && std::strcmp(job, "pairs-floor") == 0) {
		std::vector<double> v(4 * n);
		for (long i = 0; i < 2 * n; i++)
			read(marked(r), &v[2 * i], &v[2 * i + 1]);
		auto start = std::chrono::steady_clock::now();
		double sum = 0;
		// skysep -'s separation: the angle between the unit vectors, in degrees.
		for (size_t i = 0; i < v.size(); i += 4)
			sum += rad_to_deg(angle_between(unit_vector(hours_to_rad(v[i]), deg_to_rad(v[i + 1])),
			                                unit_vector(hours_to_rad(v[i + 2]), deg_to_rad(v[i + 3]))));
		return took(start, sum);
	}
	if (argc == 3 && std::strcmp(job, "positions-floor") == 0) {
		std::vector<Decimal> v;
		for (long i = 0; i < n; i++)
			v.push_back(decimal(r));
		// precession -'s model, iau2006, each position to its own year.
		Transform t = make_transform(IAU2006, J2000_EQUINOX, false, MEAN_OF_YEAR, NO_MOTION, 2000);
		DateMatrix last = {};
		auto start = std::chrono::steady_clock::now();
		double sum = 0;
		for (const Decimal &p : v) {
			double ra = 0, dec = 0;
			Epoch to = {false, static_cast<double>(p.year), true, p.year};
			transform(t, last, to, CatalogueStar{hours_to_rad(p.hours / 1e6), deg_to_rad(p.degrees / 1e6), 0, 0, 0, 0},
			          &ra, &dec);
			sum += rad_to_hours(ra) + rad_to_deg(dec);
		}
		return took(start, sum);
	}
	long m = argc > 3 ? std::atol(argv[2]) : 0;
	if (argc == 4 && std::strcmp(job, "match-file") == 0 && m > 0) {
		std::vector<double> ra, dec;
		match_rows(r, m, ra, dec);
		return write_csv(argv[3], ra, dec);
	}
	if (argc == 5 && std::strcmp(job, "match-input") == 0 && m > 0) {
		std::vector<double> ra, dec;
		match_rows(r, m, ra, dec);
		std::vector<long> order(m);
		for (long i = 0; i < m; i++)
			order[i] = i;
		for (long i = m - 1; i > 0; i--)
			std::swap(order[i], order[r.next() % static_cast<uint64_t>(i + 1)]);
		long lines = std::atol(argv[3]), taken = 0;
		std::vector<double> qa(lines), qd(lines);
		for (long i = 0; i < lines; i++) {
			if (r.below(10) >= 7) {
				anywhere(r, &qa[i], &qd[i]);
				continue;
			}
			// Row j's position moved 0.3" towards the position angle phi.
			long j = order[taken++ % m];
			double d = 0.3 * ARCSEC, phi = r.uniform(0, 2 * PI), d0 = dec[j];
			qd[i] = std::asin(std::sin(d0) * std::cos(d) + std::cos(d0) * std::sin(d) * std::cos(phi));
			qa[i] = std::fmod(ra[j] + std::atan2(std::sin(phi) * std::sin(d) * std::cos(d0),
			                                     std::cos(d) - std::sin(d0) * std::sin(qd[i])) + 2 * PI, 2 * PI);
		}
		return write_csv(argv[4], qa, qd);
	}
	std::fprintf(stderr, "usage: %s pairs N FILE | positions N FILE | stars N FILE | fixed N FILE | dated N FILE | "
	                     "pairs-floor N | positions-floor N | match-file M FILE | match-input M N FILE\n", argv[0]);
	return 2;
}
