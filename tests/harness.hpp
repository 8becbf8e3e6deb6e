// The test programs' tables: a built program is run as a user runs it (see
// run.hpp), and its standard output, standard error and exit status are
// compared with a table of expected results.  Prints one report per
// mismatch and a closing "N passed, N failed" line.
#include "run.hpp"

// Runs every case of the table, output to /dev/full when full is set, and
// reports each mismatch; returns the number of failures.
static int check(const Emulator &emulator, const char *path, const std::vector<Case> &table, bool full)
{
	int failed = 0;
	for (const Case &c : table) {
		Case r = run(emulator, path, c.argv, full);
		if (r.out == c.out && r.err == c.err && r.status == c.status)
			continue;
		failed++;
		std::printf("FAIL:");
		for (const char *a : c.argv)
			std::printf(" [%s]", a);
		std::printf("\n  want %d out [%s] err [%s]\n  got  %d out [%s] err [%s]\n", c.status,
		            c.out.c_str(), c.err.c_str(), r.status, r.out.c_str(), r.err.c_str());
	}
	return failed;
}

// The test program: argv[1] is the program under test, and the arguments
// after it, if any, the emulator that runs it.
static int test_main(int argc, char *argv[], const std::vector<Case> &cases, const std::vector<Case> &full)
{
	if (argc < 2) {
		std::fprintf(stderr, "usage: %s program [emulator [option...]]\n", argv[0]);
		return 2;
	}
	Emulator emulator(argv + 2, argv + argc);
	int failed = check(emulator, argv[1], cases, false) + check(emulator, argv[1], full, true);
	std::printf("%zu passed, %d failed\n", cases.size() + full.size() - failed, failed);
	return failed != 0;
}
