// At a terminal, catalogue mode writes each result as soon as its line is
// entered: "skysep -" runs with its standard output on a pseudo-terminal
// and its standard input on a pipe that stays open, and the answer to the
// first line must arrive while the program still waits for the next.
//
// usage: terminal_test skysep [emulator [option...]]
#include "run.hpp"

#include <poll.h>

#include <cstdlib>

int main(int argc, char *argv[])
{
	if (argc < 2) {
		std::fprintf(stderr, "usage: %s skysep [emulator [option...]]\n", argv[0]);
		return 2;
	}
	int master = posix_openpt(O_RDWR | O_NOCTTY);
	int terminal = -1, in[2];
	if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
	    (terminal = open(ptsname(master), O_RDWR | O_NOCTTY)) < 0 || pipe2(in, O_CLOEXEC) != 0) {
		std::perror("terminal_test");
		return 2;
	}
	std::vector<const char *> v = {"skysep", "-"};
	const char *path = emulated(Emulator(argv + 2, argv + argc), argv[1], v);
	v.push_back(nullptr);
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	posix_spawn_file_actions_adddup2(&fa, in[0], 0);
	posix_spawn_file_actions_adddup2(&fa, terminal, 1);
	pid_t pid;
	int bad = posix_spawnp(&pid, path, &fa, nullptr, const_cast<char **>(v.data()), environ);
	posix_spawn_file_actions_destroy(&fa);
	if (bad) {
		std::fprintf(stderr, "%s: %s\n", path, std::strerror(bad));
		return 2;
	}
	close(terminal);

	// The terminal turns the newline into a carriage return and a newline.
	const std::string want = "angle = 90.000000 degrees = 90o 0' 0\"\r\n";
	std::string got;
	bool written = write(in[1], "0 0 6 0\n", 8) == 8;
	struct pollfd p = {master, POLLIN, 0};
	while (written && got.size() < want.size() && poll(&p, 1, 10000) == 1) {
		char b[256];
		ssize_t n = read(master, b, sizeof b);
		if (n <= 0)
			break;
		got.append(b, static_cast<size_t>(n));
	}
	close(in[1]);
	int status;
	waitpid(pid, &status, 0);
	if (got != want) {
		std::printf("FAIL: the answer to a line entered at a terminal\n  want [%s]\n  got  [%s]\n", want.c_str(),
		            got.c_str());
		return 1;
	}
	std::printf("1 passed, 0 failed\n");
	return 0;
}
