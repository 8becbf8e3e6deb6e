#!/bin/sh
# Start-up and footprint, built dynamically and statically, against a
# minimal program linked the same way: what each links, its heap on every
# kind of run, and the instructions of one run under callgrind, exact for
# a copy run as ./NAME under env -i PATH=/usr/bin:/bin.
#
# usage: bench/startup.sh
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
command -v valgrind >/dev/null || { echo "$0: needs valgrind: apt-get install valgrind" >&2; exit 1; }
# The builds: dynamic and static.
for kind in dynamic static; do
	if [ "$kind" = static ]; then set -- -DSKYANGLES_STATIC=ON; else set --; fi
	dir=$(bench_build "$kind" "$@")
	mkdir "$tmp/run-$kind"
	cp "$dir/skysep" "$dir/precession" "$dir/bench/minimal" "$tmp/run-$kind/"
done

# count KIND [valgrind option...] PROGRAM [arg...]: callgrind's count of one
# run, input from $in and output to $out: "instructions calls", the calls
# to the heap's allocators (with --toggle-collect=main, from main on).
count() {
	kind=$1
	shift
	# The runs that fail end with status 1, which is not what is measured.
	(cd "$tmp/run-$kind" && env -i PATH=/usr/bin:/bin valgrind --tool=callgrind --compress-strings=no \
		--callgrind-out-file="$tmp/cg" "$@" 2>"$tmp/log" <"$in" >"$out") || true
	awk -v n="$(sed -n 's/.*Collected : *//p' "$tmp/log")" '
		/^cfn=/ { f = $0 ~ /^cfn=(\([0-9]+\) )?(malloc|calloc|realloc|memalign|posix_memalign|aligned_alloc)$/; next }
		f && /^calls=/ { split($1, a, "="); calls += a[2] }
		{ f = 0 }
		END { print n, calls + 0 }' "$tmp/cg"
}

# Each program: what it links; for a successful run, the same run writing
# to a full device, and its other runs, the allocations from main on; and
# the instructions of a successful run and their ratio to the minimal
# program's against the target: within 1.10 built dynamically, within
# 1.25 statically.  A run "-" reads the catalogue $tmp/PROGRAM.lines.
report() {
	kind=$1 prog=$2 ok=$3
	shift 3
	links=$(file -b "$tmp/run-$kind/$prog" | grep -o 'statically linked' ||
		ldd "$tmp/run-$kind/$prog" | awk '$1 !~ /^(linux-vdso|\/)/ {printf "%s ", $1}')
	echo "$prog ($kind): $links"
	for run in "$ok" "> /dev/full" "$@"; do
		out=/dev/null in=/dev/null args=$run
		[ "$run" != "> /dev/full" ] || out=/dev/full args=$ok
		case $args in -|*" -") in=$tmp/$prog.lines ;; esac
		eval "set -- $args"
		# shellcheck disable=SC2046 # count prints two numbers, one a word
		set -- $(count "$kind" --toggle-collect=main "./$prog" "$@")
		echo "  heap: $2 allocations from main on   [$(echo "$run" | cut -c1-60)]"
	done
	out=/dev/null in=/dev/null
	eval "set -- $ok"
	# shellcheck disable=SC2046 # as above
	set -- $(count "$kind" "./$prog" "$@")
	awk -v n="$1" -v base="$base" -v limit="$limit" -v label="$prog ($kind)" 'BEGIN {
		printf "%s: %d instructions, ratio %.3f to the minimal program; target %.2f: %s\n",
			label, n, n / base, limit, n / base <= limit ? "met" : "MISSED" }'
}

# The example runs, written as a shell would take them, and catalogues
# with the same question and a line in error.
sep_args="6h45m8.9s \"-16o42'58\" 5h55m10.3s \"+7o24'25\""
pre_args="6.75 -16.7 2100"
printf '%s\n' "6h45m8.9s -16o42'58 5h55m10.3s +7o24'25" "x 0 0 0" >"$tmp/skysep.lines"
printf '%s\n' "6.75 -16.7 2100" "inf 0 2100" >"$tmp/precession.lines"

echo "environment: env -i PATH=/usr/bin:/bin; $(uname -m), $(ldd --version | sed -n 1p)"
for kind in dynamic static; do
	out=/dev/null in=/dev/null limit=1.10
	[ "$kind" = static ] && limit=1.25
	# shellcheck disable=SC2046 # as above
	set -- $(count "$kind" ./minimal 0.5)
	base=$1
	echo
	echo "minimal program ($kind): $base instructions"
	report "$kind" skysep "$sep_args" \
		"" "12:30 0 0 0" "0 --5 0 0" "1$(printf '%0400d' 0) 0 0 0" "0 0 0 -6$(printf '%0307d' 0)" - --help \
		"--bare --from=02:31:49.09,+89:15:50.8 06:45:08.9 -16:42:58" "--from=0,0 --columns=3,4 -" "--bare --x" \
		"--position-angle --unit=arcsec 12 +41°16 12:00:01 41" "--columns=1+2,3,4,5 -"
	report "$kind" precession "$pre_args" \
		"" "inf 0 2000" "0 1e400 2000" - --help "--bare 06:45:08.9 -16:42:58 J2100" "--degrees --columns=1,2,3 -" \
		"--model=long-term --bare 06:45:08.9 -16:42:58 2100.5" "--model=iau2006 0 0 5000" \
		"--model=iau2006 --from=B1950 --sexagesimal --nutation 0 0 2100" \
		"--model=iau2006 --space-motion 0 0 100 100 10 10 2100" "--from=x -"
done
