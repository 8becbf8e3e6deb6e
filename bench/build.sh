# shellcheck shell=sh
# Sourced by the benchmarks: the repository root, a temporary folder removed
# at exit, and builds of their own in it, never in a user's build folders.
repo=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# bench_build KIND [cmake option...]: configures $tmp/KIND from the sources
# (those of the folder $src if set, else the repository's) as an optimised
# build with the options given, and none of the compiler or linker flags of
# the environment, builds it, and prints its path.
bench_build() {
	dir=$tmp/$1
	shift
	{ cmake -S "${src:-$repo}" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS= \
		-DCMAKE_EXE_LINKER_FLAGS= -DBUILD_TESTING=OFF -DSKYANGLES_BENCH=ON "$@" >"$tmp/build.log" 2>&1 &&
		cmake --build "$dir" -j2 >>"$tmp/build.log" 2>&1; } ||
		{ cat "$tmp/build.log" >&2; echo "$0: the build failed" >&2; exit 1; }
	echo "$dir"
}
