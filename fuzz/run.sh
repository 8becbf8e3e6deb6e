#!/bin/sh
# Runs each fuzz target for a time, from a corpus seeded from the test
# tables: fuzz_skysep from skysep_test's, fuzz_precession from
# precession_test's, fuzz_decimal from decimal_test's; the programs' own
# with the options' names as a dictionary (options.dict).  Each corpus is a
# folder of its own under WORK, kept between runs; what a target finds is
# written beside it as TARGET-crash-*, and a finding fails the run.
#
# usage: fuzz/run.sh BUILD SECONDS [WORK]
#   BUILD: a build folder configured with clang++ and -DSKYANGLES_FUZZ=ON,
#   built, tests included; WORK defaults to BUILD/fuzz/work.
set -eu
[ $# -ge 2 ] || { echo "usage: $0 BUILD SECONDS [WORK]" >&2; exit 2; }
build=$1 seconds=$2 work=${3:-$1/fuzz/work}
status=0
for target in skysep precession decimal; do
	corpus=$work/$target
	mkdir -p "$corpus"
	"$build/tests/${target}_test" --corpus "$corpus"
	echo "== fuzz_$target for $seconds s, from $(find "$corpus" -type f | wc -l) inputs"
	# -close_fd_mask=3: the programs' output and messages, not libFuzzer's.
	# -max_len: inputs of up to 4 KB, for many runs a second; lines beyond
	# the longest are lines_test's.
	dict=
	[ "$target" = decimal ] || dict=-dict=$(dirname "$0")/options.dict
	# shellcheck disable=SC2086 # no dictionary at all for fuzz_decimal
	if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -close_fd_mask=3 -max_len=4096 $dict \
		-artifact_prefix="$work/$target-" -print_final_stats=1 "$corpus" 2>"$work/$target.log"; then
		status=1
		tail -n 40 "$work/$target.log"
		echo "fuzz_$target: a finding, in $work/$target-crash-*" >&2
	else
		grep -E '^(Done|stat::number_of_executed_units)' "$work/$target.log" || true
	fi
done
exit $status
