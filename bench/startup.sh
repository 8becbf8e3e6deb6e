#!/bin/sh
# Start-up and footprint of the programs, against a minimal C program that
# reads one number with atof, takes one libm function of it and prints one
# line with printf.  For each program it reports the shared libraries it
# loads, the heap it uses on every kind of run, and the instructions one run
# takes under callgrind, with the ratio to the minimal program.
#
# usage: bench/startup.sh [build-dir]
# The build folder (default: build in the repository) is taken from where
# the script is run, configured as an optimised build and brought up to date.
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
command -v valgrind >/dev/null || { echo "$0: needs valgrind: apt-get install valgrind" >&2; exit 1; }
build=$(ready "${1:-$repo/build}")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/minimal.c" <<'C'
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
int main(int argc, char **argv)
{
	printf("%f\n", sin(atof(argc > 1 ? argv[1] : "1")));
	return 0;
}
C
cc -O2 -o "$tmp/minimal" "$tmp/minimal.c" -lm

# Instructions executed by one run, dynamic loading included.
instructions() {
	valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
		sed -n 's/.*Collected : *//p'
}

# Bytes and blocks taken from the heap by one run, its output sent to $out.
heap() {
	valgrind "$@" 2>&1 >"$out" | sed -n 's/.*total heap usage: //p'
}

base=$(instructions "$tmp/minimal" 0.5)
echo "minimal C program: $base instructions"

# Each program: a successful run, the same run writing to a full device,
# then its failure paths.
report() {
	prog=$1
	shift
	echo
	echo "$prog: libraries: $(ldd "$build/$prog" | awk '$1 !~ /^(linux-vdso|\/)/ {printf "%s ", $1}')"
	ok=$1
	shift
	for run in "$ok" "> /dev/full" "$@"; do
		out=/dev/null
		case $run in "> /dev/full") out=/dev/full args=$ok ;; *) args=$run ;; esac
		eval "set -- $args"
		echo "$prog: heap $(heap "$build/$prog" "$@")   [$(echo "$run" | cut -c1-60)]"
	done
	eval "set -- $ok"
	n=$(instructions "$build/$prog" "$@")
	echo "$prog: $n instructions, ratio $(awk "BEGIN { printf \"%.3f\", $n / $base }") to the minimal program"
}

# The example runs, written as a shell would take them.
sep_args="6h45m8.9s \"-16o42'58\" 5h55m10.3s \"+7o24'25\""
pre_args="6.75 -16.7 2100"

report skysep "$sep_args" \
	"" "12:30 0 0 0" "0 --5 0 0" "1$(printf '%0400d' 0) 0 0 0" "0 0 0 -6$(printf '%0307d' 0)"
report precession "$pre_args" \
	"" "inf 0 2000" "0 1e400 2000"

# Wall-clock time of whole runs: hyperfine when installed, else a loop.
echo
set -- "$tmp/minimal 0.5" "$build/skysep $sep_args" "$build/precession $pre_args"
if command -v hyperfine >/dev/null; then
	hyperfine -N --warmup 50 --runs 1000 --export-csv "$tmp/times.csv" "$@" >/dev/null 2>&1
	awk -F, 'NR > 1 { printf "%-12s mean %6.0f us, sd %4.0f us, min %5.0f us\n", \
		(NR == 2 ? "minimal" : NR == 3 ? "skysep" : "precession"), $2 * 1e6, $3 * 1e6, $7 * 1e6 }' "$tmp/times.csv"
else
	for run in "$@"; do
		eval "set -- $run"
		start=$(date +%s%N)
		i=0
		while [ $i -lt 1000 ]; do "$@" >/dev/null; i=$((i + 1)); done
		echo "$(basename "$1"): $(( ($(date +%s%N) - start) / 1000000 )) us a run, loop of 1000 (no hyperfine)"
	done
fi
