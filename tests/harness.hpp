// Runs a built program as a user does: an exact argument vector, no shell
// between, then its standard output, standard error and exit status compared
// with a table of expected results.  Prints one report per mismatch and a
// closing "N passed, N failed" line.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

extern char **environ;

struct Case {
	std::vector<const char *> argv; // argv[0] included; empty for no name at all
	std::string out, err;
	int status;
};

static std::string drain(int fd)
{
	std::string s;
	char b[4096];
	for (ssize_t n; (n = read(fd, b, sizeof b)) > 0;)
		s.append(b, static_cast<size_t>(n));
	close(fd);
	return s;
}

// Runs path with argv; standard output goes to /dev/full when full is set.
static Case run(const char *path, std::vector<const char *> argv, bool full)
{
	int o[2], e[2];
	if (pipe2(o, O_CLOEXEC) != 0 || pipe2(e, O_CLOEXEC) != 0)
		return {{}, "", "pipe failed", -1};
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	if (full)
		posix_spawn_file_actions_addopen(&fa, 1, "/dev/full", O_WRONLY, 0);
	else
		posix_spawn_file_actions_adddup2(&fa, o[1], 1);
	posix_spawn_file_actions_adddup2(&fa, e[1], 2);
	argv.push_back(nullptr);
	pid_t pid;
	int bad = posix_spawn(&pid, path, &fa, nullptr, const_cast<char **>(argv.data()), environ);
	posix_spawn_file_actions_destroy(&fa);
	close(o[1]);
	close(e[1]);
	Case r{{}, drain(o[0]), drain(e[0]), -1};
	int st;
	if (!bad && waitpid(pid, &st, 0) == pid)
		r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
	return r;
}

// Runs every case of the table, output to /dev/full when full is set, and
// reports each mismatch; returns the number of failures.
static int check(const char *path, const std::vector<Case> &table, bool full)
{
	int failed = 0;
	for (const Case &c : table) {
		Case r = run(path, c.argv, full);
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

// The test program: argv[1] is the program under test.
static int test_main(int argc, char *argv[], const std::vector<Case> &cases, const std::vector<Case> &full)
{
	if (argc != 2) {
		std::fprintf(stderr, "usage: %s program\n", argv[0]);
		return 2;
	}
	int failed = check(argv[1], cases, false) + check(argv[1], full, true);
	std::printf("%zu passed, %d failed\n", cases.size() + full.size() - failed, failed);
	return failed != 0;
}
