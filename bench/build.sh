# shellcheck shell=sh
# Sourced by the benchmarks: the repository root, a temporary folder that is
# removed at exit, and builds of the benchmarks' own in it.  A user's build
# folders are never touched, and the temporary folder's path never holds a
# blank or a quote, which CMake cannot build in.
repo=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# bench_build KIND [cmake option...]: configures $tmp/KIND from the sources
# as an optimised build with the options given, and none of the compiler or
# linker flags of the environment, builds it, and prints its path.
bench_build() {
	dir=$tmp/$1
	shift
	{ cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS= \
		-DCMAKE_EXE_LINKER_FLAGS= -DBUILD_TESTING=OFF -DSKYANGLES_BENCH=ON "$@" >"$tmp/build.log" 2>&1 &&
		cmake --build "$dir" -j2 >>"$tmp/build.log" 2>&1; } ||
		{ cat "$tmp/build.log" >&2; echo "$0: the build failed" >&2; exit 1; }
	echo "$dir"
}
