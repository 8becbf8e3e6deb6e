// Spawns a built program as a user runs it: an exact argument vector and
// environment, no shell between, and collects its standard output,
// standard error and exit status.  Used by the tests and the benchmarks.
#ifndef SUPPORT_SPAWN_HPP
#define SUPPORT_SPAWN_HPP

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern char **environ;

struct Case {
	std::vector<const char *> argv; // argv[0] included; empty for no name at all
	std::string out, err;
	int status;
	std::string in = {};       // standard input
	const char *in_file = {};  // or this file as standard input
};

// The argument vector of prog and args, pointing into args.
inline std::vector<const char *> argv_of(const char *prog, const std::vector<std::string> &args)
{
	std::vector<const char *> v = {prog};
	for (const std::string &s : args)
		v.push_back(s.c_str());
	return v;
}

// v as printf writes it with "%.*f" and decimals.
inline std::string fixed(double v, int decimals)
{
	char b[400];
	std::snprintf(b, sizeof b, "%.*f", decimals, v);
	return b;
}

inline std::string drain(int fd)
{
	std::string s;
	char b[4096];
	for (ssize_t n; (n = read(fd, b, sizeof b)) > 0;)
		s.append(b, static_cast<size_t>(n));
	close(fd);
	return s;
}

// An emulator that runs the programs of a cross build, with its options
// (qemu-aarch64 -L /usr/aarch64-linux-gnu); empty for a native build.
using Emulator = std::vector<const char *>;

// Turns argv, for the program path, into the argument vector of the
// emulator that runs it, if one is given, and returns what is to be
// spawned: the emulator or path.
inline const char *emulated(const Emulator &emulator, const char *path, std::vector<const char *> &argv)
{
	if (emulator.empty())
		return path;
	std::vector<const char *> v = emulator;
	v.push_back("-0");
	v.push_back(argv.empty() ? "" : argv[0]);
	v.push_back(path);
	if (!argv.empty())
		v.insert(v.end(), argv.begin() + 1, argv.end());
	argv = v;
	return v[0];
}

// Runs path with argv and the environment env, under the emulator if one is
// given; standard output goes to /dev/full when full is set, and standard
// input comes from the file in, or from /dev/null.  Under an
// emulator the program's argv[0] is passed with qemu-user's -0, which keeps
// it exact; but qemu always gives a program a name, so a run with no name
// at all becomes a run with an empty one there.
inline Case run(const Emulator &emulator, const char *path, std::vector<const char *> argv, bool full,
                char **env = environ, const char *in = nullptr)
{
	path = emulated(emulator, path, argv);

	int o[2], e[2];
	if (pipe2(o, O_CLOEXEC) != 0 || pipe2(e, O_CLOEXEC) != 0)
		return {{}, "", "pipe failed", -1};
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	posix_spawn_file_actions_addopen(&fa, 0, in ? in : "/dev/null", O_RDONLY, 0);
	if (full)
		posix_spawn_file_actions_addopen(&fa, 1, "/dev/full", O_WRONLY, 0);
	else
		posix_spawn_file_actions_adddup2(&fa, o[1], 1);
	posix_spawn_file_actions_adddup2(&fa, e[1], 2);
	argv.push_back(nullptr);
	pid_t pid;
	int bad = posix_spawnp(&pid, path, &fa, nullptr, const_cast<char **>(argv.data()), env);
	posix_spawn_file_actions_destroy(&fa);
	close(o[1]);
	close(e[1]);
	Case r{{}, drain(o[0]), drain(e[0]), -1};
	int st;
	if (!bad && waitpid(pid, &st, 0) == pid)
		r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
	return r;
}

// The environment of this process with the other variant of glibc's math
// library chosen: on x86-64 glibc picks a variant compiled for FMA when the
// processor has FMA and AVX2, and this tunable turns that one off.
inline std::vector<char *> other_variant_environment()
{
	static char tunable[] = "GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX2,-FMA,-FMA4";
	std::vector<char *> env;
	for (char **e = environ; *e; e++)
		if (std::strncmp(*e, "GLIBC_TUNABLES=", 15) != 0)
			env.push_back(*e);
	env.push_back(tunable);
	env.push_back(nullptr);
	return env;
}

#endif
