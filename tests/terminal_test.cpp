// At a terminal, catalogue mode writes each result as soon as its line is
// entered: "skysep -" runs with its standard output on a pseudo-terminal
// and its standard input on a pipe that stays open, and the answer to the
// first line must arrive while the program still waits for the next.  A
// message, on standard error, is written as soon as its line is read too,
// wherever standard error goes: here a pipe.
//
// usage: terminal_test skysep [emulator [option...]]
#include "spawn.hpp"

#include <poll.h>

#include <cstdlib>

// Writes the line to fd and reads from from until want has come, or for
// ten seconds; reports a failure and returns false if it has not.
static bool answered(int fd, const char *line, int from, const std::string &want)
{
	std::string got;
	bool written = write(fd, line, std::strlen(line)) == static_cast<ssize_t>(std::strlen(line));
	struct pollfd p = {from, POLLIN, 0};
	while (written && got.size() < want.size() && poll(&p, 1, 10000) == 1) {
		char b[256];
		ssize_t n = read(from, b, sizeof b);
		if (n <= 0)
			break;
		got.append(b, static_cast<size_t>(n));
	}
	if (got == want)
		return true;
	std::printf("FAIL: what the line [%s] gives while the next is awaited\n  want [%s]\n  got  [%s]\n", line,
	            want.c_str(), got.c_str());
	return false;
}

int main(int argc, char *argv[])
{
	if (argc < 2) {
		std::fprintf(stderr, "usage: %s skysep [emulator [option...]]\n", argv[0]);
		return 2;
	}
	int master = posix_openpt(O_RDWR | O_NOCTTY);
	int terminal = -1, in[2], err[2];
	if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
	    (terminal = open(ptsname(master), O_RDWR | O_NOCTTY)) < 0 || pipe2(in, O_CLOEXEC) != 0 ||
	    pipe2(err, O_CLOEXEC) != 0) {
		std::perror("terminal_test");
		return 2;
	}
	std::vector<const char *> v = {"skysep", "--hours", "-"};
	const char *path = emulated(Emulator(argv + 2, argv + argc), argv[1], v);
	v.push_back(nullptr);
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	posix_spawn_file_actions_adddup2(&fa, in[0], 0);
	posix_spawn_file_actions_adddup2(&fa, terminal, 1);
	posix_spawn_file_actions_adddup2(&fa, err[1], 2);
	pid_t pid;
	int bad = posix_spawnp(&pid, path, &fa, nullptr, const_cast<char **>(v.data()), environ);
	posix_spawn_file_actions_destroy(&fa);
	if (bad) {
		std::fprintf(stderr, "%s: %s\n", path, std::strerror(bad));
		return 2;
	}
	close(terminal);
	close(err[1]);

	// The terminal turns the newline into a carriage return and a newline.
	int failed = 0;
	failed += !answered(in[1], "0 0 6 0\n", master, "angle = 90.000000 degrees = 90o 0' 0\"\r\n");
	failed += !answered(in[1], "x 0 0 0\n", err[0], "skysep: line 2: invalid right ascension string \"x\"\n");
	close(in[1]);
	int status;
	waitpid(pid, &status, 0);
	std::printf("%d passed, %d failed\n", 2 - failed, failed);
	return failed != 0;
}
