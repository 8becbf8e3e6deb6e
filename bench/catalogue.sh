#!/bin/sh
# Catalogue mode's speed, side by side in one run: each run of
# bench/catalogue.runs on generated catalogues (bench/catalogues.cpp),
# against the run it names: the floor (the program's own formulas alone),
# another run of the program, or what users would pick instead, when
# installed (Debian's gnuastro, stilts, python3-astropy, with
# python3-scipy for its match, and parallel; it installs nothing).  Five
# rounds each run the rows in the table's order, a row in the first RUNS
# of them; a row prints its median in microseconds a
# line, its largest memory (GNU time's %M), its median's ratio to the named
# run's, and its target, met or MISSED; the programs must keep to 4 MB, and
# without options to a million lines a second.  A target may also hold one
# for memory, MB>=R or MB<=R: the ratio of the row's largest memory to the
# named run's, printed after the rest of the row.  A run of the programs
# with --match=FILE holds FILE in memory: with 100,000 rows or more (fewer
# hardly show above the rest), in place of the 4 MB it keeps to 48 bytes a
# row of FILE over the largest memory of match-one-row, whose FILE has one
# row, and prints its bytes a row.  After the table, skysep's matches
# against astropy's: the same row of FILE for every line, and the same
# separation to 1e-6".  Given a commit (any git revision), the rows of the
# programs also run with its build, the two in turns, and print the ratio
# of their medians, MISSED above the limit; with INSTRUCTIONS=1, also that
# of their instructions under callgrind on the first 100,000 lines, which
# a busy machine hardly moves.  BASE_SED, a sed
# script, turns a row's command into the commit's command for the same
# work, where their options differ.
#
# usage: [BASE_SED=SCRIPT] bench/catalogue.sh [lines [commit [limit]]]
#        (1000000 lines; limit $LIMIT, else 1.03: at most 3% slower)
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
[ -x /usr/bin/time ] || { echo "$0: needs GNU time: apt-get install time" >&2; exit 1; }
[ "${INSTRUCTIONS:-0}" != 1 ] || command -v valgrind >/dev/null || { echo "$0: needs valgrind" >&2; exit 1; }
lines=${1:-1000000}
commit=${2:-}
limit=${3:-${LIMIT:-1.03}}
# This build's folder, the $bin of the table's commands but in the commit's runs.
this=$(bench_build dynamic)
# The commit's programs, built from its files alone; none without a commit.
base=
if [ -n "$commit" ]; then
	label=$(git -C "$repo" rev-parse -q --short --verify "$commit^{commit}") ||
		{ echo "$0: $commit: not a commit" >&2; exit 1; }
	mkdir "$tmp/base-src"
	git -C "$repo" archive "$label" | tar -x -C "$tmp/base-src"
	base=$(src=$tmp/base-src bench_build base -DSKYANGLES_BENCH=OFF)
fi
"$this/bench/catalogues" pairs "$lines" "$tmp/pairs"
# The same pairs as CSV, and in colons under the header by which asttable
# reads its columns as texts.
{ echo ra1,dec1,ra2,dec2; tr ' ' , <"$tmp/pairs"; } >"$tmp/pairs.csv"
{ for c in "1: RA1 [h" "2: DEC1 [deg" "3: RA2 [h" "4: DEC2 [deg"; do echo "# Column $c, str11]"; done
  sed "s/[hmo']/:/g; s/s / /g" "$tmp/pairs"; } >"$tmp/colon"
"$this/bench/catalogues" positions "$lines" "$tmp/positions"
"$this/bench/catalogues" stars "$lines" "$tmp/stars"
"$this/bench/catalogues" fixed "$lines" "$tmp/fixed"
"$this/bench/catalogues" dated "$lines" "$tmp/dated"
# One date on every line, written as a date of UTC and as the decimal epoch.
awk '{ print $1, $2, "2026-12-09T22:00Z" }' "$tmp/positions" >"$tmp/one-date"
awk '{ print $1, $2, "2026.9425" }' "$tmp/positions" >"$tmp/one-epoch"
head -n "$((lines / 100 + 4))" "$tmp/colon" >"$tmp/sample"
head -n 2000 "$tmp/pairs" >"$tmp/loop"
if command -v parallel >/dev/null; then
	"$this/bench/catalogues" pairs "$((lines * 10))" "$tmp/big"
fi
# The cross-match's catalogues: FILE of as many rows as the lines, a
# tenth and a hundredth of them, and one row; each of the first three with
# its own input of the lines, 70% of them 0.3" from one of its rows; and
# the largest FILE and its input as the plain text tables that astmatch
# reads in place of CSV, the header naming the columns and their type.
"$this/bench/catalogues" match-file 1 "$tmp/match-one.csv"
for size in :1 -tenth:10 -hundredth:100; do
	rows=$((lines / ${size#*:}))
	[ "$rows" -ge 1 ] || rows=1
	"$this/bench/catalogues" match-file "$rows" "$tmp/match${size%:*}.csv"
	"$this/bench/catalogues" match-input "$rows" "$lines" "$tmp/match-input${size%:*}.csv"
done
for f in match match-input; do
	{ printf '# Column 1: ra [deg,f64,] right ascension\n# Column 2: dec [deg,f64,] declination\n'
	  tail -n +2 "$tmp/$f.csv" | tr , ' '; } >"$tmp/$f.txt"
done

# available COMMAND: whether the program of a row's command is installed.
available() {
	case $1 in
	*with_astropy.py\ match\ *) /usr/bin/python3 -c 'import astropy, scipy' 2>/dev/null ;;
	*with_astropy.py*) /usr/bin/python3 -c 'import astropy' 2>/dev/null ;;
	\$*) true ;;
	*) command -v "${1%% *}" >/dev/null ;;
	esac
}

# ours COMMAND: whether a row's command runs the programs, not a floor or a peer.
ours() {
	case $1 in \$bin/skysep* | \$bin/precession*) true ;; *) false ;; esac
}

# measure NAME INPUT TIMING PROGRAMS COMMAND: one run of the command with
# $bin the folder PROGRAMS, input from the file INPUT and output to
# /dev/null, timed by TIMING; adds its seconds, kilobytes and INPUT's lines
# to $tmp/runs/NAME.  Fails, its messages in $tmp/stderr, if the command does.
measure() {
	start=$(date +%s%N)
	(bin=$4; eval "/usr/bin/time -o \"\$tmp/time\" -f %M $5") <"$2" >/dev/null 2>"$tmp/stderr" || return 1
	seconds=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')
	[ "$3" = wall ] || seconds=$(tail -n 1 "$tmp/stderr")
	n=$lines
	[ "$2" = "$tmp/null" ] || n=$(grep -cv '^#' "$2")
	echo "$seconds $(tail -n 1 "$tmp/time") $n" >>"$tmp/runs/$1"
}

# based COMMAND: a row's command as the commit's programs are given it.
based() {
	printf '%s\n' "$1" | sed "${BASE_SED:-}"
}

# base_run NAME INPUT TIMING COMMAND: with a commit, a row of the programs'
# run with its build, as NAME.base; one that fails (the commit's programs
# may lack an option) marks the row's base failed, and ends its runs.
base_run() {
	[ -z "$base" ] || ! ours "$4" || [ -f "$tmp/runs/$1.failed" ] ||
		measure "$1.base" "$2" "$3" "$base" "$(based "$4")" || : >"$tmp/runs/$1.failed"
}

# median NAME: the median seconds of NAME's runs, their largest kilobytes
# and their lines; nothing without runs.
median() {
	[ ! -f "$tmp/runs/$1" ] || LC_ALL=C sort -n "$tmp/runs/$1" |
		awk '{ s[NR] = $1; if ($2 > kb) kb = $2; n = $3 } END { print (s[int((NR + 1) / 2)] + s[int(NR / 2) + 1]) / 2, kb, n }'
}

# instructions PROGRAMS COMMAND: callgrind's count of the instructions of
# one run of the command with $bin the folder PROGRAMS, input from
# $tmp/head; "failed" if the run fails.
instructions() {
	# shellcheck disable=SC2034 # the table's commands read $bin
	if (bin=$1; eval "valgrind --tool=callgrind --callgrind-out-file=/dev/null $2") <"$tmp/head" >/dev/null 2>"$tmp/callgrind"
	then sed -n 's/.*Collected : *//p' "$tmp/callgrind"; else echo failed; fi
}

# The rows, their fields trimmed, separated by tabs.
sed -e 's/^#.*//' -e '/^[[:space:]]*$/d' "$repo/bench/catalogue.runs" |
	awk -F'|' -v OFS='\t' '{ for (i = 1; i <= NF; i++) gsub(/^[ \t]+|[ \t]+$/, "", $i); $1 = $1; print }' >"$tmp/table"
tab=$(printf '\t')
: >"$tmp/null"
mkdir "$tmp/runs"

echo "catalogue mode on $lines lines; $(uname -m), $(ldd --version | sed -n 1p)"
[ -z "$base" ] || echo "against $commit$([ "$commit" = "$label" ] || echo " ($label)"): at most ${limit}x its median"
for round in 1 2 3 4 5; do
	while IFS=$tab read -r name input count timing _ _ command; do
		if [ "$round" -le "$count" ] && [ -f "$tmp/$input" ] && available "$command"; then
			[ $((round % 2)) = 1 ] || base_run "$name" "$tmp/$input" "$timing" "$command"
			measure "$name" "$tmp/$input" "$timing" "$this" "$command" ||
				{ cat "$tmp/stderr" >&2; echo "$0: $name failed" >&2; exit 1; }
			[ $((round % 2)) = 0 ] || base_run "$name" "$tmp/$input" "$timing" "$command"
		fi
	done <"$tmp/table"
done

# The report: one line a row, in the table's order.
echo
printf '  %-20s %10s %8s %25s  %s\n' run "us a line" MB ratio target
while IFS=$tab read -r name input _ _ against target command; do
	if [ ! -f "$tmp/runs/$name" ]; then
		printf '  %-20s not installed\n' "$name"
		continue
	fi
	mine=no versus='' counts='' rows=0
	! ours "$command" || mine=yes
	# The rows of a run's FILE, which it holds in memory.
	file=$(printf '%s\n' "$command" | sed -n 's/.*--match=\([^ ]*\).*/\1/p')
	if [ $mine = yes ] && [ -n "$file" ]; then
		eval "file=\"$file\""
		rows=$(($(wc -l <"$file") - 1))
	fi
	if [ -n "$base" ] && [ $mine = yes ]; then
		versus=failed
		[ -f "$tmp/runs/$name.failed" ] || versus=$(median "$name.base")
		if [ "$versus" != failed ] && [ "${INSTRUCTIONS:-0}" = 1 ]; then
			head -n 100000 "$tmp/$input" >"$tmp/head"
			counts="$(instructions "$this" "$command") $(instructions "$base" "$(based "$command")")"
		fi
	fi
	awk -v name="$name" -v this="$(median "$name")" -v against="$against" -v against_m="$(median "$against")" \
		-v target="$target" -v ours="$mine" -v versus="$versus" -v counts="$counts" -v limit="$limit" \
		-v rows="$rows" -v one_row="$(median match-one-row)" 'BEGIN {
		split(this, m); split(against_m, a); split(versus, v); split(counts, c); split(one_row, o)
		memory = ""
		if (match(target, / MB[<>]=[0-9.]+$/)) {
			memory = substr(target, RSTART + 3)
			target = substr(target, 1, RSTART - 1)
		}
		us = m[1] / m[3] * 1e6
		printf "  %-20s %10.3f %8.1f", name, us, m[2] / 1024
		ok = 1
		if (against_m != "") {
			ratio = us / (a[1] / a[3] * 1e6)
			printf " %7.2fx %-16s", ratio, against
			if (target ~ /^<=/) ok = ratio <= substr(target, 3) + 0
			if (target ~ /^>=/) ok = ratio >= substr(target, 3) + 0
		} else {
			printf " %25s", ""
		}
		# The programs: in 4 MB (a match of a large FILE: 48 bytes a row), and
		# alone a million lines a second.
		if (ours == "yes") ok = ok && (rows >= 100000 || m[2] <= 4096) && (against !~ /floor$/ || us <= 1)
		verdict = target != "-" || ours == "yes" ? target " " (ok ? "met" : "MISSED") : ""
		if (versus == "failed")
			printf "  %-14s  base failed", verdict
		else if (versus != "")
			printf "  %-14s %5.2fx base%-7s", verdict, m[1] / v[1], (m[1] / v[1] > limit + 0 ? " MISSED" : "")
		else if (verdict != "")
			printf "  %s", verdict
		if (counts ~ /failed/) printf "  instructions: %s failed", c[1] == "failed" ? "this build" : "base"
		else if (counts != "") printf " %5.3fx instructions%s", c[1] / c[2], (c[1] / c[2] > limit + 0 ? " MISSED" : "")
		# The memory against that of the named run, and the bytes a row of FILE of a match.
		if (memory != "" && against_m != "") {
			ratio = m[2] / a[2]
			ok = memory ~ /^<=/ ? ratio <= substr(memory, 3) + 0 : ratio >= substr(memory, 3) + 0
			printf "  %6.2fx MB %s %s", ratio, memory, ok ? "met" : "MISSED"
		}
		if (rows >= 100000) {
			bytes = (m[2] - o[2]) * 1024 / rows
			printf "  %5.1f bytes a row <=48 %s", bytes, bytes <= 48 ? "met" : "MISSED"
		}
		printf "\n" }'
done <"$tmp/table"

# parallel's bytes are those of one process.
if command -v parallel >/dev/null; then
	"$this/skysep" - <"$tmp/big" | cksum >"$tmp/one.sum"
	parallel --pipepart -a "$tmp/big" --block -1 -k "$this/skysep" - | cksum >"$tmp/parallel.sum"
	if cmp -s "$tmp/one.sum" "$tmp/parallel.sum"; then echo "  parallel: the same bytes as one process"
	else echo "  parallel: NOT the same bytes as one process: MISSED"; fi
fi
# skysep's matches are astropy's: the same line of FILE, or none, for every
# line, and the same separations to 1e-6".
astropy_match="/usr/bin/python3 $repo/bench/with_astropy.py match $tmp/match.csv $tmp/match-input.csv"
if available "$astropy_match"; then
	"$this/skysep" --degrees --delimiter=, --match="$tmp/match.csv" --match-columns=ra,dec --columns=ra,dec \
		--radius=1 --unit=arcsec --bare --decimals=9 - <"$tmp/match-input.csv" >"$tmp/skysep.match"
	$astropy_match >"$tmp/astropy.match" 2>/dev/null
	paste "$tmp/skysep.match" "$tmp/astropy.match" | awk -F'\t' '
		NR == 1 { header = $1 == $2; next }
		{ n++; split($1, a, ","); split($2, b, ",") }
		a[1] == b[1] { same++ }
		a[1] == b[1] && a[1] != 0 { matched++; d = a[2] - b[2]; if (d < 0) d = -d; if (d > worst) worst = d }
		END { printf "  match: the same counterparts as astropy for %d of %d rows (%d matched), separations within %.0e arcsec%s\n",
			same, n, matched, worst, header && same == n && worst <= 1e-6 ? "" : ": MISSED" }'
fi
