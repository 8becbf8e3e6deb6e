// The two variants of glibc's math library, and what they change in the
// programs' output.  On x86-64 glibc picks, when a program starts, a variant
// of sin, cos, asin and acos compiled for FMA if the processor has FMA and
// AVX2, and another one otherwise; GLIBC_TUNABLES can turn the first off.
// This bench counts, over the same arguments in both variants:
//   the results of each function that differ, and by how many units in the
//   last place at most;
//   the printed lines of skysep that differ, on exactly opposite pairs (the
//   worst-conditioned case: one last bit can move the line by a step) and
//   on pairs uniform on the sphere;
//   the printed lines of precession that differ, on random positions and
//   years.
// It prints the first few differing skysep pairs, and skysep(1)'s example
// in both variants.
//
// usage: variants skysep precession [runs]
// (run by bench/variants.sh; runs defaults to 20000)
#include "angles.hpp"
#include "random.hpp"
#include "run.hpp"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdlib>
#include <cstring>

// Arguments of each function.
static const int ARGUMENTS = 1000000;

// The same arguments in both processes.
static Random rng;

// The value of function f (0 sin, 1 cos, 2 asin, 3 acos) at argument i.
static double value(int f, int i)
{
	rng.state = static_cast<uint64_t>(f) * 1000003u + static_cast<uint64_t>(i);
	switch (f) {
	case 0: return std::sin(rng.uniform(-2 * PI, 2 * PI));
	case 1: return std::cos(rng.uniform(-2 * PI, 2 * PI));
	case 2: return std::asin(rng.uniform(-1, 1));
	default: return std::acos(rng.uniform(-1, 1));
	}
}

// The shortest text that reads back as v, in digits and a point only.
static std::string text(double v)
{
	char b[64];
	for (int decimals = 1; decimals < 40; decimals++) {
		std::snprintf(b, sizeof b, "%.*f", decimals, std::fabs(v));
		if (std::strtod(b, nullptr) == std::fabs(v))
			break;
	}
	return b;
}

// Runs prog with args in both variants; returns whether the lines differ.
// A run that does not end with status 0 ends the bench.
static bool differs(const char *prog, const std::vector<std::string> &args, std::vector<char *> &env)
{
	std::vector<const char *> v = argv_of(prog, args);
	Case a = run({}, prog, v, false), b = run({}, prog, v, false, env.data());
	if (a.status != 0 || b.status != 0) {
		std::fprintf(stderr, "variants: %s failed: %s%s", prog, a.err.c_str(), b.err.c_str());
		std::exit(1);
	}
	return a.out != b.out;
}

int main(int argc, char *argv[])
{
	// The child: the functions' values as raw doubles, in this variant.
	if (argc == 2 && std::strcmp(argv[1], "--values") == 0) {
		for (int f = 0; f < 4; f++)
			for (int i = 0; i < ARGUMENTS; i++) {
				double x = value(f, i);
				std::fwrite(&x, sizeof x, 1, stdout);
			}
		return 0;
	}
	if (argc < 3 || argc > 4) {
		std::fprintf(stderr, "usage: %s skysep precession [runs]\n", argv[0]);
		return 2;
	}
	const char *skysep = argv[1], *precession = argv[2];
	int runs = argc == 4 ? std::atoi(argv[3]) : 20000;
	std::vector<char *> env = other_variant_environment();

	Case child = run({}, "/proc/self/exe", {argv[0], "--values"}, false, env.data());
	if (child.status != 0 || child.out.size() != 4 * ARGUMENTS * sizeof(double)) {
		std::fprintf(stderr, "variants: the child of the other variant failed\n");
		return 1;
	}
	static const char *const names[] = {"sin", "cos", "asin", "acos"};
	int total = 0;
	std::printf("math functions, %d arguments each; differences between the variants:\n", ARGUMENTS);
	for (int f = 0; f < 4; f++) {
		int count = 0;
		int64_t worst = 0;
		for (int i = 0; i < ARGUMENTS; i++) {
			double mine = value(f, i), theirs;
			std::memcpy(&theirs, child.out.data() + (f * ARGUMENTS + i) * sizeof(double), sizeof theirs);
			int64_t a, b;
			std::memcpy(&a, &mine, sizeof a);
			std::memcpy(&b, &theirs, sizeof b);
			if (a != b)
				count++, worst = std::max(worst, a > b ? a - b : b - a);
		}
		total += count;
		std::printf("  %-4s  %6d (%.3f%%), at most %" PRId64 " unit(s) in the last place\n", names[f], count,
		            100.0 * count / ARGUMENTS, worst);
	}
	if (total == 0)
		std::printf("  none: this machine runs the same variant either way (no FMA and AVX2?)\n");

	// The example of skysep(1), in both variants.
	std::vector<const char *> example = {skysep, "3.6268559748505762", "19.425035438642226",
	                                     "15.626855974850576", "-19.425035438642226"};
	std::printf("skysep %s %s %s %s\n  this variant:  %s  other variant: %s", example[1], example[2],
	            example[3], example[4], run({}, skysep, example, false).out.c_str(),
	            run({}, skysep, example, false, env.data()).out.c_str());

	// Exactly opposite pairs, in the shortest texts of random doubles.
	int opposite = 0;
	rng.state = 2000;
	for (int i = 0; i < runs; i++) {
		double h = rng.uniform(0, 12), d = rng.uniform(-90, 90);
		std::string h1 = text(h), h2 = text(std::strtod(h1.c_str(), nullptr) + 12), dd = text(d);
		std::vector<std::string> args = {h1, (d < 0 ? "-" : "") + dd, h2, (d < 0 ? "" : "-") + dd};
		if (!differs(skysep, args, env))
			continue;
		if (++opposite <= 5)
			std::printf("  differs: skysep %s %s %s %s\n", args[0].c_str(), args[1].c_str(), args[2].c_str(),
			            args[3].c_str());
	}
	std::printf("skysep, exactly opposite pairs: %d of %d printed lines differ (%.3f%%)\n", opposite, runs,
	            100.0 * opposite / runs);

	int uniform_pairs = 0, precessed = 0;
	for (int i = 0; i < runs; i++) {
		std::vector<std::string> args = {text(rng.uniform(0, 24)), text(rad_to_deg(std::asin(rng.uniform(-1, 1)))),
		                                 text(rng.uniform(0, 24)), text(rad_to_deg(std::asin(rng.uniform(-1, 1))))};
		if (rng.uniform(0, 1) < 0.5)
			args[1] = "-" + args[1];
		uniform_pairs += differs(skysep, args, env);
	}
	std::printf("skysep, pairs uniform on the sphere: %d of %d printed lines differ\n", uniform_pairs, runs);
	for (int i = 0; i < runs; i++) {
		char year[16];
		std::snprintf(year, sizeof year, "%d", 2000 + static_cast<int>(rng.uniform(-1000, 1000)));
		std::vector<std::string> args = {text(rng.uniform(0, 24)), text(rad_to_deg(std::asin(rng.uniform(-1, 1)))), year};
		if (rng.uniform(0, 1) < 0.5)
			args[1] = "-" + args[1];
		precessed += differs(precession, args, env);
	}
	std::printf("precession, random positions and years: %d of %d printed lines differ\n", precessed, runs);
	return 0;
}
