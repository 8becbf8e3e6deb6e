// Random numbers for generated test and bench cases: splitmix64, so that
// every machine draws the same cases, whatever its C library.
#ifndef SUPPORT_RANDOM_HPP
#define SUPPORT_RANDOM_HPP

#include <cstdint>

struct Random {
	uint64_t state;

	uint64_t next()
	{
		uint64_t z = (state += 0x9E3779B97F4A7C15u);
		z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
		z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
		return z ^ (z >> 31);
	}
	// Uniform in [lo, hi).
	double uniform(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(next() >> 11) * 0x1p-53; }
	// Uniform in 0 to n - 1.
	int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
};

#endif
