// The catalogue of bench/catalogue.sh for precession, and its floor.
//
//   catalogue_precession write N FILE
//     writes N generated positions and years to FILE, as
//     14.031978 -62.855065 2345: hours and degrees with six decimals and
//     a year from 1000 to 3000;
//   catalogue_precession floor N
//     precesses the same positions, already as the values that precession
//     reads, with precession's own precess(): the formulas alone, without
//     reading or writing.  Prints the seconds it took.
#include "random.hpp"

#include <chrono>
#include <cstdlib>
#include <vector>

#include "precession_answer.hpp"

// One position and year: millionths of an hour and of a degree.
struct Position {
	long hours, degrees;
	int year;
};

static Position position(Random &r)
{
	return {static_cast<long>(r.next() % 24000000), static_cast<long>(r.next() % 180000001) - 90000000,
	        1000 + r.below(2001)};
}

int main(int argc, char *argv[])
{
	long n = argc > 2 ? std::atol(argv[2]) : 0;
	Random r{2000};
	if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
		FILE *f = std::fopen(argv[3], "w");
		if (!f)
			return 1;
		for (long i = 0; i < n; i++) {
			Position p = position(r);
			long d = std::labs(p.degrees);
			std::fprintf(f, "%ld.%06ld %s%ld.%06ld %d\n", p.hours / 1000000, p.hours % 1000000,
			             p.degrees < 0 ? "-" : "", d / 1000000, d % 1000000, p.year);
		}
		return std::fclose(f) != 0;
	}
	if (argc == 3 && std::strcmp(argv[1], "floor") == 0) {
		std::vector<Position> v;
		for (long i = 0; i < n; i++)
			v.push_back(position(r));
		auto start = std::chrono::steady_clock::now();
		double sum = 0;
		for (const Position &p : v) {
			double ra, dec;
			precess(hours_to_rad(p.hours / 1e6), deg_to_rad(p.degrees / 1e6), p.year, &ra, &dec);
			sum += rad_to_hours(ra) + rad_to_deg(dec);
		}
		std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
		std::printf("%.3f %g\n", took.count(), sum);
		return 0;
	}
	std::fprintf(stderr, "usage: %s write N FILE | floor N\n", argv[0]);
	return 2;
}
