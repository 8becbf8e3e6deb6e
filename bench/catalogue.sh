#!/bin/sh
# Catalogue mode's speed: skysep - and precession - over generated
# catalogues (bench/catalogue_skysep.cpp, bench/catalogue_precession.cpp),
# side by side in one run with the floor, the programs' own formulas on
# the same positions without reading or writing, and with what users would
# pick instead, on the same positions:
#   gnuastro's asttable, with ra-to-degree, dec-to-degree and
#   distance-on-sphere (Debian's gnuastro), for the separations;
#   STILTS's tpipe, with skyDistanceDegrees of hmsToDegrees and
#   dmsToDegrees (Debian's stilts), for the separations;
#   astropy, SkyCoord and separation, or a transformation to the FK5
#   equinox of each year (Debian's python3-astropy, run by
#   bench/with_astropy.py; its separations on a hundredth of the lines, as
#   reading sexagesimal texts is its slowest part, and its own time after
#   the interpreter has started and imported astropy);
# then a shell loop of single runs on a sample, and GNU parallel (Debian's
# parallel) on a catalogue of ten times the lines.  Each peer is measured
# only when installed; this script installs nothing.
#
# Times are wall-clock seconds of whole runs, the best of five for the
# programs, their floors and asttable (three for parallel's forms), run in
# turn round by round, as a run on this shared machine varies by a third
# and each then meets its slow and fast moments alike; and memory is the most each run held (GNU time's %M).  Each
# row gives microseconds a line, memory, and its ratio to the row named.
# The targets, met or MISSED at the end:
#   skysep - at most 3 times its floor, at least 5 times asttable's lines
#   a second and 10 times STILTS's; precession - at most 2 times its
#   floor; each in 4 MB or less;
#   skysep reads the same pairs as CSV by column name within 1.3 times the
#   time of its blank-separated run;
#   precession's iau2006 and long-term models at most 1.25 times the
#   uniform model's time with one epoch for every line, at most 3 times
#   with each line's own, in 4 MB or less;
#   parallel's fastest correct form at least 1.4 times as fast as one
#   process on the large catalogue, with the same bytes.
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
: >"$tmp/targets"

# measure INPUT COMMAND...: runs the command once, with the file INPUT as
# its standard input and its output to /dev/null (or the file $to), and
# sets seconds, kb and cpu (user and system seconds); a failure ends the
# bench.
to=/dev/null
measure() {
	input=$1
	shift
	start=$(date +%s%N)
	/usr/bin/time -o "$tmp/time" -f '%e %M %U %S' "$@" <"$input" >"$to" 2>"$tmp/stderr" ||
		{ cat "$tmp/stderr" >&2; echo "$0: $* failed" >&2; exit 1; }
	seconds=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')
	read -r _ kb user system <"$tmp/time"
	cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
}
# best INPUT COMMAND...: the fastest of five runs, as the time of a run on
# a shared machine varies by a third.
best() {
	measure "$@"
	fastest=$seconds most=$kb least=$cpu
	for _ in 2 3 4 5; do
		measure "$@"
		if awk -v s="$seconds" -v f="$fastest" 'BEGIN { exit !(s < f) }'; then fastest=$seconds most=$kb least=$cpu; fi
	done
	seconds=$fastest kb=$most cpu=$least
}
# keep NAME INPUT COMMAND...: one run, as measure; the fastest of the runs
# of NAME is kept in $tmp/NAME as its seconds, kilobytes and cpu, and
# read back with kept NAME, which sets seconds, kb and cpu.  Runs of the
# things compared are interleaved with it, so that the machine's drifts
# reach each alike.
keep() {
	name=$1
	shift
	measure "$@"
	fastest "$name"
}
# fastest NAME: keeps seconds, kb and cpu in $tmp/NAME if seconds is the
# fastest yet.
fastest() {
	if [ ! -f "$tmp/$1" ] || awk -v s="$seconds" -v f="$(cut -d' ' -f1 "$tmp/$1")" 'BEGIN { exit !(s < f) }'
	then echo "$seconds ${kb:--} ${cpu:--}" >"$tmp/$1"; fi
}
kept() { read -r seconds kb cpu <"$tmp/$1"; }
# keep_floor NAME PROGRAM: one run of the floor of PROGRAM, kept as NAME.
keep_floor() {
	seconds=$("$bin/bench/catalogue_$2" floor "$lines" | cut -d' ' -f1) kb='' cpu=''
	fastest "$1"
}

# row LABEL SECONDS KILOBYTES LINES [BASE NAME]...: one line of the table,
# with the ratio of its time a line to each BASE microseconds, named NAME.
row() {
	row_label=$1 row_s=$2 row_kb=$3 row_n=$4
	shift 4
	ratios=
	[ $# -eq 0 ] || ratios=$(printf '%s\t' "$@")
	awk -v label="$row_label" -v s="$row_s" -v kb="$row_kb" -v n="$row_n" -v ratios="$ratios" 'BEGIN {
		us = s / n * 1e6
		printf "  %-56s %7.3f s %8.2f us a line", label, s, us
		if (kb != "") printf " %7.1f MB", kb / 1024; else printf " %10s", ""
		m = split(ratios, r, "\t")
		for (i = 1; i + 1 <= m; i += 2) printf "  %.1fx %s", us / r[i], r[i + 1]
		printf "\n" }'
}
# target TEXT CONDITION: records the target TEXT, met if the awk CONDITION
# holds, for the list at the end.
target() {
	awk "BEGIN { printf \"  %s: %s\\n\", \"$1\", ($2) ? \"met\" : \"MISSED\" }" >>"$tmp/targets"
}
# us_a_line SECONDS LINES
us_a_line() { awk -v s="$1" -v n="$2" 'BEGIN { print s / n * 1e6 }'; }
has_astropy() { [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import astropy' 2>/dev/null; }
astropy_version() { /usr/bin/python3 -c 'import astropy; print(astropy.__version__)'; }

# program NAME INPUT FUNCTION: the rows of the floor, NAME's formulas
# alone (FUNCTION), and of "NAME -" on INPUT, from their kept runs; sets
# floor and ours to their microseconds a line.
program() {
	kept "$1-floor"
	floor=$(us_a_line "$seconds" "$lines")
	row "the floor: $3 alone" "$seconds" "" "$lines"
	kept "$1"
	ours=$(us_a_line "$seconds" "$lines")
	row "$1 -" "$seconds" "$kb" "$lines" "$floor" "the floor"
	target "$1 - at a million lines a second or more" "$ours <= 1"
	target "$1 - in 4 MB or less" "$kb <= 4096"
}
# with_astropy NAME JOB INPUT LINES LABEL: the row of bench/with_astropy.py
# doing NAME's job.
with_astropy() {
	if has_astropy; then
		measure /dev/null /usr/bin/python3 "$repo/bench/with_astropy.py" "$2" "$3"
		row "astropy $(astropy_version), $5" "$(cat "$tmp/stderr")" "$kb" "$4" "$ours" "$1"
	else
		echo "  astropy: not installed (apt-get install python3-astropy)"
	fi
}

echo "catalogue mode on $lines lines; $(uname -m), $(ldd --version | sed -n 1p)"
echo
echo "skysep: pairs of positions, 03h13m29.07s +62o32'17.1 (03:13:29.07 +62:32:17.1 for the others)"
has_asttable=$(command -v asttable || true)
for _ in 1 2 3 4 5; do
	keep_floor skysep-floor skysep
	keep skysep "$tmp/pairs" "$bin/skysep" -
	keep skysep-csv "$tmp/pairs.csv" "$bin/skysep" --delimiter=, --columns=ra1,dec1,ra2,dec2 -
	if [ -n "$has_asttable" ]; then
		# shellcheck disable=SC2016 # the $ names columns for asttable, not the shell
		keep asttable /dev/null asttable "$tmp/pairs-colon" \
			-c'arith $1 ra-to-degree $2 dec-to-degree $3 ra-to-degree $4 dec-to-degree distance-on-sphere'
	fi
done
program skysep "$tmp/pairs" "separation()"
blanks=$ours
target "skysep - at most 3x its floor" "$ours <= 3 * $floor"
kept skysep-csv
csv=$(us_a_line "$seconds" "$lines")
row "skysep --delimiter=, --columns=ra1,dec1,ra2,dec2 -" "$seconds" "$kb" "$lines" "$blanks" "skysep -"
target "the same pairs as CSV by column name within 1.3x of skysep -" "$csv <= 1.3 * $blanks"
if [ -n "$has_asttable" ]; then
	kept asttable
	peer=$(us_a_line "$seconds" "$lines")
	row "asttable (gnuastro $(asttable --version | sed -n '1s/.* //p'))" "$seconds" "$kb" "$lines" "$ours" skysep
	target "skysep - at least 5x asttable's lines a second" "$peer >= 5 * $ours"
else
	echo "  asttable: not installed (apt-get install gnuastro)"
fi
if command -v stilts >/dev/null; then
	# shellcheck disable=SC2016 # the $ numbers columns for STILTS, not the shell
	measure /dev/null stilts tpipe ifmt=ascii in="$tmp/pairs-colon" \
		cmd='addcol sep "skyDistanceDegrees(hmsToDegrees($1), dmsToDegrees($2), hmsToDegrees($3), dmsToDegrees($4))"' \
		cmd='keepcols sep' ofmt=ascii out=-
	peer=$(us_a_line "$seconds" "$lines")
	row "STILTS tpipe, skyDistanceDegrees" "$seconds" "$kb" "$lines" "$ours" skysep
	target "skysep - at least 10x STILTS's lines a second" "$peer >= 10 * $ours"
else
	echo "  STILTS: not installed (apt-get install stilts)"
fi
with_astropy skysep separation "$tmp/pairs-sample" "$sample" "SkyCoord and separation, $sample lines"

echo
echo "precession: positions and years, 14.031978 -62.855065 2345"
for _ in 1 2 3 4 5; do
	keep_floor precession-floor precession
	keep precession "$tmp/positions" "$bin/precession" -
done
program precession "$tmp/positions" "precess()"
target "precession - at most 2x its floor" "$ours <= 2 * $floor"
with_astropy precession precession "$tmp/positions" "$lines" "to each year's FK5 equinox"

# model_row MODEL LABEL BASE OPTION...: the best of five of precession
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
		target "iau2006 and long-term within 1.25x of uniform, one epoch" "$iau <= 1.25 * $base && $ours <= 1.25 * $base"
	else
		target "iau2006 and long-term within 3x of uniform, each line's own epoch" "$iau <= 3 * $base && $ours <= 3 * $base"
	fi
done
target "every model's run in 4 MB or less" "\"$memory\" == \"met\""

echo
looped=2000
head -n "$looped" "$tmp/pairs" >"$tmp/loop-sample"
echo "a shell loop of single runs, skysep ra1 dec1 ra2 dec2 for each of $looped lines"
# shellcheck disable=SC2016 # the loop's variables are its shell's
measure "$tmp/loop-sample" sh -c 'while read -r a b c d; do "$0" "$a" "$b" "$c" "$d"; done' "$bin/skysep"
row "while read ...; do skysep ...; done" "$seconds" "" "$looped" "$blanks" "skysep -"

echo
big=$((lines * 10))
if command -v parallel >/dev/null; then
	"$bin/bench/catalogue_skysep" write "$big" "$tmp/big" /dev/null /dev/null
	echo "GNU parallel $(parallel --version | sed -n '1s/.* //p') on $big pairs, $(nproc) cores, output to /dev/null;"
	echo "cpu: user and system seconds of the whole run, parallel's own beyond those of one process"
	# form NAME COMMAND...: one run of a form, kept as NAME, with its output
	# to /dev/null or, for a NAME ending in -file, to a file.
	form() {
		form_name=$1
		shift
		[ "${form_name%-file}" = "$form_name" ] || to=$tmp/big-out
		keep "$form_name" "$tmp/big" "$@"
		to=/dev/null
	}
	pp="parallel --pipepart -a $tmp/big"
	# Interleaved, so that the machine's drifts reach each alike.
	for _ in 1 2 3; do
		form one "$bin/skysep" -
		form one-file "$bin/skysep" -
		# shellcheck disable=SC2086 # $pp is words
		{
			form readme $pp --block -1 -k "$bin/skysep" -
			form fast $pp -j200% --block -1 -k "$bin/skysep" -
			form fast-file $pp -j200% --block -1 -k "$bin/skysep" -
			form small $pp --block 10M -k "$bin/skysep" -
			form lines $pp --block -1 -k --line-buffer "$bin/skysep" -
		}
	done
	read -r one_s _ one_cpu <"$tmp/one"
	read -r one_file_s _ one_file_cpu <"$tmp/one-file"
	# speed_up LABEL NAME [BASE-SECONDS BASE-CPU]: the row of a form of
	# parallel against one process (to /dev/null, or those given).
	speed_up() {
		read -r s _ c <"$tmp/$2"
		base_s=${3:-$one_s} base_cpu=${4:-$one_cpu}
		row "$1" "$s" "" "$big"
		awk -v s="$s" -v one="$base_s" -v c="$c" -v onec="$base_cpu" 'BEGIN {
			printf "    speed-up %.2fx; cpu %.2f s, parallel'"'"'s own %.2f s\n", one / s, c, c - onec }'
	}
	row "skysep - (one process)" "$one_s" "" "$big"
	speed_up "parallel --pipepart -a FILE --block -1 -k skysep -" readme
	speed_up "parallel -j200% --pipepart -a FILE --block -1 -k skysep -" fast
	speed_up "parallel --pipepart -a FILE --block 10M -k skysep -" small
	speed_up "parallel --pipepart -a FILE --block -1 -k --line-buffer skysep -" lines
	row "skysep - >FILE (one process)" "$one_file_s" "" "$big"
	speed_up "parallel -j200% --pipepart -a FILE --block -1 -k skysep - >FILE" fast-file "$one_file_s" "$one_file_cpu"
	fast_s=$(cut -d' ' -f1 "$tmp/fast")
	readme_s=$(cut -d' ' -f1 "$tmp/readme")
	# The bytes, once, to files.
	"$bin/skysep" - <"$tmp/big" >"$tmp/big-one"
	parallel --pipepart -a "$tmp/big" --block -1 -k "$bin/skysep" - >"$tmp/big-parallel"
	if cmp -s "$tmp/big-one" "$tmp/big-parallel"; then same=yes; echo "  the same bytes as one process"; else
		same=no; echo "  NOT the same bytes as one process"; fi
	rm -f "$tmp/big-one" "$tmp/big-parallel" "$tmp/big-out"
	target "parallel --pipepart -k at least 1.4x as fast as one process, the same bytes" \
		"($one_s >= 1.4 * $fast_s || $one_s >= 1.4 * $readme_s) && \"$same\" == \"yes\""
	# Where it starts to pay: the same, on the first lines of the catalogue.
	echo "  where it pays, best of five: lines, one process, parallel --pipepart --block -1 -k"
	for n in 125000 1000000 3000000; do
		head -n "$n" "$tmp/big" >"$tmp/part"
		best "$tmp/part" "$bin/skysep" -
		single=$seconds
		best "$tmp/part" parallel --pipepart -a "$tmp/part" --block -1 -k "$bin/skysep" -
		awk -v n="$n" -v one="$single" -v s="$seconds" 'BEGIN {
			printf "  %9d %7.3f s %7.3f s  %.2fx\n", n, one, s, one / s }'
	done
else
	echo "GNU parallel: not installed (apt-get install parallel)"
fi

echo
echo "targets"
cat "$tmp/targets"
