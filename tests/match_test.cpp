// skysep --match against a search of every row, in one loop over
// catalogues of 0 to 3000 rows and 2000 positions each, written in
// decimal degrees: rows spread over the sky, within a degree of either
// pole, at the poles, across 0 hours (360 degrees itself included), or
// all in a field across 0 hours or around a pole, repeated on later lines
// and with comments between; positions at a row, near one or anywhere;
// radii of 0, of 180 degrees, of any size between, and exactly the
// separation of a third of the positions from a row.  Each run's lines,
// the line number and the separation in seconds of arc to 9 decimals,
// must be those of the search of every row, by the separation of
// angles.hpp and --radius's rounding.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "angles.hpp"
#include "command_line.hpp"
#include "random.hpp"
#include "spawn.hpp"

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

// Writes text into the file fd, path, in place of what it held; false
// after a message if it cannot.
static bool rewrite(int fd, const char *path, const std::string &text)
{
	if (ftruncate(fd, 0) == 0 && pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()))
		return true;
	std::perror(path);
	return false;
}

// The position (ra, dec), radians, as a line "RA DEC" of decimal degrees,
// and its unit vector as skysep reads the line.
static std::string degrees(double ra, double dec, Vec *v)
{
	char text[64];
	std::snprintf(text, sizeof text, "%.17g %.17g\n", std::fmin(rad_to_deg(ra), 360),
	              std::fmax(-90, std::fmin(rad_to_deg(dec), 90)));
	char *end;
	double a = std::strtod(text, &end), d = std::strtod(end, nullptr);
	*v = unit_vector(deg_to_rad(a), deg_to_rad(d));
	return text;
}

int main(int argc, char *argv[])
{
	if (argc < 2)
		return std::fprintf(stderr, "usage: %s skysep [emulator [option...]]\n", argv[0]), 2;
	Emulator emulator(argv + 2, argv + argc);
	char file[] = "/tmp/skyangles-match-XXXXXX", input[] = "/tmp/skyangles-match-XXXXXX";
	int fd = mkstemp(file), in_fd = mkstemp(input);
	if (fd < 0 || in_fd < 0)
		return std::perror("/tmp"), 2;
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
		std::string rows;
		for (int i = 0; i < n; i++) {
			line[i] = (i ? line[i - 1] : 0) + 1;
			for (; r.below(3) == 0; line[i]++)
				rows += "# a comment\n";
			position(r, cat.sky, &ra[i], &dec[i]);
			if (i > 0 && r.below(5) == 0) { // a row repeated
				int j = r.below(i);
				ra[i] = ra[j], dec[i] = dec[j];
			}
			rows += degrees(ra[i], dec[i], &v[i]);
		}
		if (!rewrite(fd, file, rows))
			return 2;
		// The radius in seconds of arc: 0, 180 degrees, a few small and large,
		// and the separation of a third of the positions from a row.
		for (double arcsec : {0.0, 648000.0, std::pow(10, r.uniform(-4, 1)), std::pow(10, r.uniform(1, 5.8)), -1.0}) {
			bool at_row = arcsec < 0;
			if (at_row)
				arcsec = std::pow(10, r.uniform(-5, 5));
			char radius[40];
			std::snprintf(radius, sizeof radius, "--radius=%.17g", arcsec);
			double within = PI * std::strtod(radius + 9, nullptr) / 648000 + SEPARATION_ROUNDING;
			std::string in, want;
			for (int i = 0; i < 2000; i++) {
				int j = n > 0 ? r.below(n) : 0;
				double a = n > 0 ? ra[j] : 0, d = n > 0 ? dec[j] : 0;
				if (i % 3 == 0)
					near(r, at_row ? arcsec * ARCSEC : std::pow(10, r.uniform(-11, 0)), &a, &d);
				else if (i % 3 == 1)
					position(r, i % 2 ? cat.sky : ANYWHERE, &a, &d);
				Vec q;
				in += degrees(a, d, &q);
				double best = 0;
				unsigned long long found = 0;
				for (int k = 0; k < n; k++) {
					double s = angle_between(q, v[k]);
					if (s <= within && (found == 0 || s < best))
						best = s, found = line[k];
				}
				char text[64];
				std::snprintf(text, sizeof text, found ? "%llu %.9f\n" : "0\n", found, 648000 * best / PI);
				want += text;
				matched += found != 0;
			}
			if (!rewrite(in_fd, input, in))
				return 2;
			Case got = run(emulator, argv[1],
			               {"skysep", "--degrees", "--bare", "--unit=arcsec", "--decimals=9",
			                (std::string("--match=") + file).c_str(), radius, "-"},
			               false, environ, input);
			// The lines that differ, each with its position.
			size_t at = 0, at_got = 0;
			for (int i = 0; i < 2000; i++, checked++) {
				size_t end = want.find('\n', at) + 1, end_got = got.out.find('\n', at_got) + 1;
				std::string w = want.substr(at, end - at), g = got.out.substr(at_got, end_got - at_got);
				if (w != g && ++failed <= 20)
					std::printf("FAIL: %d rows, %s, position %d: got %s, not %s", n, radius, i, g.c_str(),
					            w.c_str());
				at = end, at_got = end_got == 0 ? got.out.size() : end_got;
			}
			if (got.status != 0 || !got.err.empty())
				failed++, std::printf("FAIL: %d rows, %s: status %d, %s\n", n, radius, got.status, got.err.c_str());
		}
	}
	unlink(file);
	unlink(input);
	std::printf("%s: %ld positions, %ld matched, %ld not as every row's search\n", failed ? "FAIL" : "ok",
	            checked, matched, failed);
	return failed != 0;
}
