#!/bin/sh
# Catalogue mode's speed: skysep - and precession - over generated
# catalogues (bench/catalogue_skysep.cpp, bench/catalogue_precession.cpp),
# side by side with the floor, the programs' own formulas on the same
# positions without reading or writing, and with what users would pick
# instead, on the same positions:
#   gnuastro's asttable, with ra-to-degree, dec-to-degree and
#   distance-on-sphere (Debian's gnuastro), for the separations;
#   astropy, SkyCoord and separation, or a transformation to the FK5
#   equinox of each year (Debian's python3-astropy, run by
#   bench/with_astropy.py; its separations on a hundredth of the lines, as
#   reading sexagesimal texts is its slowest part, and its own time after
#   the interpreter has started and imported astropy).
# Each is measured only when installed; this script installs nothing.
# Times are wall-clock seconds of whole runs, the best of three for the
# programs, and memory is the most each run held (GNU time's %M).  The
# targets: each program answers a million lines a second or more; skysep
# reads the same pairs as CSV by column name within 1.3 times the time of
# its blank-separated run; and precession's iau2006 and long-term models
# take at most 1.25 times the uniform model's time with one epoch for
# every line, at most 3 times with each line's own, and 4 MB.
#
# usage: bench/catalogue.sh [lines]     (default 1000000)
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
[ -x /usr/bin/time ] || { echo "$0: needs GNU time: apt-get install time" >&2; exit 1; }
lines=${1:-1000000}
bin=$(bench_build dynamic)
"$bin/bench/catalogue_skysep" write "$lines" "$tmp/pairs" "$tmp/pairs-colon" "$tmp/pairs.csv"
"$bin/bench/catalogue_precession" write "$lines" "$tmp/positions"
# The hundredth of the pairs for astropy, after the header.
sample=$((lines / 100))
head -n "$((sample + 4))" "$tmp/pairs-colon" >"$tmp/pairs-sample"

# measure INPUT COMMAND...: runs the command once, with the file INPUT as
# its standard input and its output to /dev/null, and sets seconds and kb;
# a failure ends the bench.
measure() {
	input=$1
	shift
	/usr/bin/time -o "$tmp/time" -f '%e %M' "$@" <"$input" >/dev/null 2>"$tmp/stderr" ||
		{ cat "$tmp/stderr" >&2; echo "$0: $* failed" >&2; exit 1; }
	read -r seconds kb <"$tmp/time"
}
# best INPUT COMMAND...: the fastest of three runs.
best() {
	measure "$@"
	fastest=$seconds most=$kb
	for _ in 2 3; do
		measure "$@"
		if awk -v s="$seconds" -v f="$fastest" 'BEGIN { exit !(s < f) }'; then fastest=$seconds most=$kb; fi
	done
	seconds=$fastest kb=$most
}
# row LABEL SECONDS KILOBYTES LINES [BASE NAME]: one line of the table,
# with the ratio of its time a line to BASE microseconds, named NAME.
row() {
	awk -v label="$1" -v s="$2" -v kb="$3" -v n="$4" -v base="${5:-}" -v name="${6:-}" 'BEGIN {
		us = s / n * 1e6
		printf "  %-50s %7.3f s %8.2f us a line", label, s, us
		if (kb != "") printf " %7.1f MB", kb / 1024; else printf " %10s", ""
		if (base != "") printf " %7.1fx %s", us / base, name
		printf "\n" }'
}
# target NAME US: whether NAME, at US microseconds a line, answers at
# least a million lines a second.
target() {
	awk -v name="$1" -v us="$2" 'BEGIN {
		printf "  target: %s at a million lines a second or more: %s\n", name, us <= 1 ? "met" : "MISSED" }'
}
# us_a_line SECONDS LINES
us_a_line() { awk -v s="$1" -v n="$2" 'BEGIN { print s / n * 1e6 }'; }
has_astropy() { [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import astropy' 2>/dev/null; }
astropy_version() { /usr/bin/python3 -c 'import astropy; print(astropy.__version__)'; }

# program NAME INPUT FUNCTION: the rows of the floor, NAME's formulas
# alone (FUNCTION), and of "NAME -" on INPUT, and the target; sets ours
# to NAME's microseconds a line.
program() {
	seconds=$("$bin/bench/catalogue_$1" floor "$lines" | cut -d' ' -f1)
	floor=$(us_a_line "$seconds" "$lines")
	row "the floor: $3 alone" "$seconds" "" "$lines"
	best "$2" "$bin/$1" -
	ours=$(us_a_line "$seconds" "$lines")
	row "$1 -" "$seconds" "$kb" "$lines" "$floor" "the floor"
	target "$1" "$ours"
}
# with_astropy NAME JOB INPUT LINES LABEL: the row of bench/with_astropy.py
# doing NAME's job.
with_astropy() {
	if has_astropy; then
		measure /dev/null /usr/bin/python3 "$repo/bench/with_astropy.py" "$2" "$3"
		row "astropy $(astropy_version), $5" "$(cat "$tmp/stderr")" "$kb" "$4" "$ours" "$1"
	else
		echo "  astropy: not installed (Debian's python3-astropy)"
	fi
}

echo "catalogue mode on $lines lines; $(uname -m), $(ldd --version | sed -n 1p)"
echo
echo "skysep: pairs of positions, 03h13m29.07s +62o32'17.1 (03:13:29.07 +62:32:17.1 for the others)"
program skysep "$tmp/pairs" "separation()"
blanks=$ours
best "$tmp/pairs.csv" "$bin/skysep" --delimiter=, --columns=ra1,dec1,ra2,dec2 -
row "skysep --delimiter=, --columns=ra1,dec1,ra2,dec2 -" "$seconds" "$kb" "$lines" "$blanks" "skysep -"
awk -v us="$(us_a_line "$seconds" "$lines")" -v base="$blanks" 'BEGIN {
	printf "  target: the same pairs as CSV by column name within 1.3x of skysep -: %s\n", us <= 1.3 * base ? "met" : "MISSED" }'
if command -v asttable >/dev/null; then
	# shellcheck disable=SC2016 # the $ names columns for asttable, not the shell
	measure /dev/null asttable "$tmp/pairs-colon" \
		-c'arith $1 ra-to-degree $2 dec-to-degree $3 ra-to-degree $4 dec-to-degree distance-on-sphere'
	row "asttable (gnuastro $(asttable --version | sed -n '1s/.* //p'))" "$seconds" "$kb" "$lines" "$ours" skysep
else
	echo "  asttable: not installed (Debian's gnuastro)"
fi
with_astropy skysep separation "$tmp/pairs-sample" "$sample" "SkyCoord and separation, $sample lines"

echo
echo "precession: positions and years, 14.031978 -62.855065 2345"
program precession "$tmp/positions" "precess()"
with_astropy precession precession "$tmp/positions" "$lines" "to each year's FK5 equinox"

# model_row MODEL LABEL BASE OPTION...: the best of three of precession
# --model=MODEL OPTION... - on the positions, its ratio to BASE
# microseconds a line (the uniform model's), and sets ours.
model_row() {
	model=$1 label=$2 base=$3
	shift 3
	best "$tmp/positions" "$bin/precession" --model="$model" "$@" -
	ours=$(us_a_line "$seconds" "$lines")
	row "precession --model=$model $label" "$seconds" "$kb" "$lines" "${base:-$ours}" "uniform"
	[ "$kb" -le 4096 ] || memory=MISSED
}
# model_target LIMIT WHAT US...: whether each US is at most LIMIT times
# the uniform model's, in base.
model_target() {
	limit=$1 what=$2
	shift 2
	awk -v limit="$limit" -v what="$what" -v base="$base" -v list="$*" 'BEGIN {
		n = split(list, us, " "); ok = 1
		for (i = 1; i <= n; i++) ok = ok && us[i] <= limit * base
		printf "  target: iau2006 and long-term within %gx of uniform, %s: %s\n", limit, what, ok ? "met" : "MISSED" }'
}

echo
echo "precession's models, with one epoch for every line (--year=2100 --columns=1,2) and each line's own"
memory=met
for epochs in one own; do
	if [ "$epochs" = one ]; then set -- --year=2100 --columns=1,2; label="--year=2100"; else set --; label=""; fi
	model_row uniform "$label" "" "$@"
	base=$ours
	model_row iau2006 "$label" "$base" "$@"
	iau=$ours
	model_row long-term "$label" "$base" "$@"
	if [ "$epochs" = one ]; then
		model_target 1.25 "one epoch" "$iau" "$ours"
	else
		model_target 3 "each line's own epoch" "$iau" "$ours"
	fi
done
echo "  target: every model's run in 4 MB or less: $memory"
