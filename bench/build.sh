# shellcheck shell=sh
# Sourced by the benchmarks: the repository root, and a build folder made
# ready to measure.
repo=$(cd "$(dirname "$0")/.." && pwd)

# ready DIR [cmake option...]: configures DIR, a path taken from where the
# script was run, as an optimised build with the options given, brings it up
# to date, and prints its absolute path.  A folder built with sanitizers is
# refused: its heap and instruction counts are the sanitizers'.
ready() {
	dir=$1
	shift
	cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null &&
		cmake --build "$dir" >/dev/null || exit 1
	if grep -q -e '-fsanitize' "$dir/CMakeCache.txt"; then
		echo "$0: $dir is built with sanitizers; give another build folder" >&2
		exit 1
	fi
	(cd "$dir" && pwd)
}
