// The test programs' tables: a built program is run as a user runs it (see
// spawn.hpp), and its standard output, standard error and exit status are
// compared with a table of expected results.  Prints one report per
// mismatch and a closing "N passed, N failed" line.
#ifndef TESTS_HARNESS_HPP
#define TESTS_HARNESS_HPP

#include "spawn.hpp"

// A temporary file that holds the standard input of a case.
static char in_path[] = "/tmp/skyangles-test-XXXXXX";
static int in_fd = -1;

// Writes text to the temporary file and returns its path.
static const char *input_file(const std::string &text)
{
	if (in_fd < 0)
		in_fd = mkstemp(in_path);
	if (in_fd < 0 || ftruncate(in_fd, 0) != 0 ||
	    pwrite(in_fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
		std::perror(in_path);
		std::exit(2);
	}
	return in_path;
}

// Runs every case of the table, output to /dev/full when full is set, and
// reports each mismatch; returns the number of failures.
static int check(const Emulator &emulator, const char *path, const std::vector<Case> &table, bool full)
{
	int failed = 0;
	for (const Case &c : table) {
		const char *in = c.in_file ? c.in_file : c.in.empty() ? nullptr : input_file(c.in);
		Case r = run(emulator, path, c.argv, full, environ, in);
		if (r.out == c.out && r.err == c.err && r.status == c.status)
			continue;
		failed++;
		std::printf("FAIL:");
		for (const char *a : c.argv)
			std::printf(" [%s]", a);
		if (!c.in.empty())
			std::printf(" < [%s]", c.in.c_str());
		std::printf("\n  want %d out [%s] err [%s]\n  got  %d out [%s] err [%s]\n", c.status,
		            c.out.c_str(), c.err.c_str(), r.status, r.out.c_str(), r.err.c_str());
	}
	return failed;
}

// A catalogue run of prog with the options before "-", and the text in on
// standard input; with --hours first unless an option says the unit of a
// right ascension written as a number alone.
static Case catalogue_run(const char *prog, std::vector<const char *> options, const std::string &in,
                          const std::string &out, const std::string &err, int status)
{
	bool unit = false;
	for (const char *o : options)
		unit = unit || std::strcmp(o, "--degrees") == 0 || std::strcmp(o, "--hours") == 0;
	if (!unit)
		options.insert(options.begin(), "--hours");
	options.insert(options.begin(), prog);
	options.push_back("-");
	return {options, out, err, status, in};
}

// The single runs of the table that succeed, each as one line of a catalogue
// run "prog OPTION... -", with the options that make it read and answer as
// a single run does, which must answer each as the single run did: every
// row of the program's own name, with count operands and no option, whose
// every operand whole(i, text) says the single run reads in whole and that
// holds no blank, tab or newline.
static Case through_catalogue(const char *prog, std::vector<const char *> options, size_t count,
                              const std::vector<Case> &table, bool (*whole)(size_t i, const char *text))
{
	options.insert(options.begin(), prog);
	options.push_back("-");
	Case all{options, "", "", 0};
	for (const Case &c : table) {
		bool taken = c.status == 0 && c.argv.size() == count + 1 && std::strcmp(c.argv[0], prog) == 0 &&
		             std::strncmp(c.argv[1], "--", 2) != 0 && c.in.empty();
		for (size_t i = 1; taken && i <= count; i++)
			taken = c.argv[i][0] != '\0' && std::strpbrk(c.argv[i], " \t\n") == nullptr && whole(i - 1, c.argv[i]);
		if (!taken)
			continue;
		for (size_t i = 1; i <= count; i++)
			all.in += std::string(c.argv[i]) + (i < count ? " " : "\n");
		all.out += c.out;
	}
	return all;
}

// Writes each case of the table as a seed of the program's fuzz target
// into the folder dir, in the form of fuzz/catalogue_input.hpp: a block
// size by the case's place, its options, a NUL, and standard input, which
// for a single run is its operands as one line.  Returns 0, or 2 if a seed
// cannot be written.
static int write_seeds(const char *dir, const std::vector<Case> &table)
{
	for (size_t i = 0; i < table.size(); i++) {
		const Case &c = table[i];
		if (c.in_file != nullptr)
			continue;
		std::string seed(1, static_cast<char>(i % 5));
		size_t k = 1;
		for (; k < c.argv.size() && std::strncmp(c.argv[k], "--", 2) == 0; k++)
			seed += std::string(c.argv[k]) + "\n";
		seed += '\0';
		if (k + 1 == c.argv.size() && std::strcmp(c.argv[k], "-") == 0) {
			seed += c.in;
		} else if (k < c.argv.size()) {
			for (; k < c.argv.size(); k++)
				seed += std::string(c.argv[k]) + (k + 1 < c.argv.size() ? " " : "\n");
		}
		std::string path = std::string(dir) + "/table-" + std::to_string(i);
		FILE *f = std::fopen(path.c_str(), "wb");
		if (f == nullptr || std::fwrite(seed.data(), 1, seed.size(), f) != seed.size() || std::fclose(f) != 0) {
			std::perror(path.c_str());
			return 2;
		}
	}
	return 0;
}

// The test program: argv[1] is the program under test, and the arguments
// after it, if any, the emulator that runs it; or "--corpus DIR", which
// writes the table as seeds of the program's fuzz target into DIR.
static int test_main(int argc, char *argv[], const std::vector<Case> &cases, const std::vector<Case> &full)
{
	if (argc == 3 && std::strcmp(argv[1], "--corpus") == 0)
		return write_seeds(argv[2], cases);
	if (argc < 2) {
		std::fprintf(stderr, "usage: %s program [emulator [option...]]\n", argv[0]);
		return 2;
	}
	Emulator emulator(argv + 2, argv + argc);
	int failed = check(emulator, argv[1], cases, false) + check(emulator, argv[1], full, true);
	std::printf("%zu passed, %d failed\n", cases.size() + full.size() - failed, failed);
	if (in_fd >= 0)
		unlink(in_path);
	return failed != 0;
}

#endif
