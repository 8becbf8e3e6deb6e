// The baseline of bench/startup.sh: a minimal program that uses the C
// library as the tools do, reading one number with atof, taking one math
// function of it and printing one line with printf.
#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
	std::printf("%f\n", std::sin(std::atof(argc > 1 ? argv[1] : "1")));
	return 0;
}
