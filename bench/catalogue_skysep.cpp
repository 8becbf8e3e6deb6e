// The catalogue of bench/catalogue.sh for skysep, and its floor.
//
//   catalogue_skysep write N FILE COLON-FILE CSV-FILE
//     writes N generated pairs of positions to FILE in skysep's notation,
//     03h13m29.07s +62o32'17.1, the same pairs to COLON-FILE as
//     03:13:29.07 +62:32:17.1, with the header that gnuastro's asttable
//     needs to read its columns as texts of 11 characters, and to CSV-FILE
//     as FILE's texts separated by commas under the header
//     ra1,dec1,ra2,dec2;
//   catalogue_skysep floor N
//     computes the separations of the same pairs, already as the values
//     that skysep reads, with skysep's own separation(): the formulas
//     alone, without reading or writing.  Prints the seconds it took.
#include "random.hpp"

#include <chrono>
#include <cstdlib>
#include <vector>

#include "skysep_answer.hpp"

// One position: right ascension in hours, minutes and hundredths of a
// second of time, declination in degrees, minutes and tenths of a second
// of arc.
struct Position {
	int h, m, cs;
	char sign;
	int d, dm, ds;
};

static Position position(Random &r)
{
	return {r.below(24), r.below(60), r.below(6000), "+-"[r.below(2)], r.below(90), r.below(60), r.below(600)};
}

// Writes the position p, its right ascension and declination separated by
// the byte between.
static void write(FILE *f, const Position &p, bool colon, char between)
{
	std::fprintf(f, colon ? "%02d:%02d:%02d.%02d%c%c%02d:%02d:%02d.%d" : "%02dh%02dm%02d.%02ds%c%c%02do%02d'%02d.%d",
	             p.h, p.m, p.cs / 100, p.cs % 100, between, p.sign, p.d, p.dm, p.ds / 10, p.ds % 10);
}

// The values that skysep reads from the texts.
static double hours(const Position &p) { return p.cs / 100.0 / 3600.0 + (p.m / 60.0 + p.h); }
static double degrees(const Position &p)
{
	double v = p.ds / 10.0 / 3600.0 + (p.dm / 60.0 + p.d);
	return p.sign == '-' ? -v : v;
}

int main(int argc, char *argv[])
{
	long n = argc > 2 ? std::atol(argv[2]) : 0;
	Random r{2000};
	if (argc == 6 && std::strcmp(argv[1], "write") == 0) {
		FILE *f = std::fopen(argv[3], "w"), *g = std::fopen(argv[4], "w"), *h = std::fopen(argv[5], "w");
		if (!f || !g || !h)
			return 1;
		std::fprintf(g, "# Column 1: RA1 [h, str11]\n# Column 2: DEC1 [deg, str11]\n"
		                "# Column 3: RA2 [h, str11]\n# Column 4: DEC2 [deg, str11]\n");
		std::fprintf(h, "ra1,dec1,ra2,dec2\n");
		for (long i = 0; i < n; i++) {
			Position a = position(r), b = position(r);
			for (FILE *out : {f, g, h}) {
				char between = out == h ? ',' : ' ';
				write(out, a, out == g, between);
				std::fputc(between, out);
				write(out, b, out == g, between);
				std::fputc('\n', out);
			}
		}
		return std::fclose(f) != 0 || std::fclose(g) != 0 || std::fclose(h) != 0;
	}
	if (argc == 3 && std::strcmp(argv[1], "floor") == 0) {
		std::vector<double> v;
		for (long i = 0; i < n; i++) {
			Position a = position(r), b = position(r);
			v.insert(v.end(), {hours(a), degrees(a), hours(b), degrees(b)});
		}
		auto start = std::chrono::steady_clock::now();
		double sum = 0;
		for (size_t i = 0; i < v.size(); i += 4)
			sum += separation(unit_vector(hours_to_rad(v[i]), deg_to_rad(v[i + 1])),
			                  unit_vector(hours_to_rad(v[i + 2]), deg_to_rad(v[i + 3])));
		std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
		std::printf("%.3f %g\n", took.count(), sum);
		return 0;
	}
	std::fprintf(stderr, "usage: %s write N FILE COLON-FILE CSV-FILE | floor N\n", argv[0]);
	return 2;
}
