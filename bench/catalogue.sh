#!/bin/sh
# Catalogue mode's speed, side by side in one run: each run of
# bench/catalogue.runs on generated catalogues (bench/catalogues.cpp),
# against the run it names: the floor (the program's own formulas alone),
# another run of the program, or what users would pick instead, when
# installed (Debian's gnuastro, stilts, python3-astropy and parallel; it
# installs nothing).  Each row prints microseconds a line (the best of five
# whole runs, rows taken in turn round by round; slow peers once), memory
# (GNU time's %M), its ratio and its target, met or MISSED; the programs
# must keep to 4 MB, and without options to a million lines a second.
#
# usage: bench/catalogue.sh [lines]     (default 1000000)
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
[ -x /usr/bin/time ] || { echo "$0: needs GNU time: apt-get install time" >&2; exit 1; }
lines=${1:-1000000}
bin=$(bench_build dynamic)
"$bin/bench/catalogues" pairs "$lines" "$tmp/pairs"
# The same pairs as CSV, and in colons under the header by which asttable
# reads its columns as texts.
{ echo ra1,dec1,ra2,dec2; tr ' ' , <"$tmp/pairs"; } >"$tmp/pairs.csv"
{ for c in "1: RA1 [h" "2: DEC1 [deg" "3: RA2 [h" "4: DEC2 [deg"; do echo "# Column $c, str11]"; done
  sed "s/[hmo']/:/g; s/s / /g" "$tmp/pairs"; } >"$tmp/colon"
"$bin/bench/catalogues" positions "$lines" "$tmp/positions"
"$bin/bench/catalogues" stars "$lines" "$tmp/stars"
head -n "$((lines / 100 + 4))" "$tmp/colon" >"$tmp/sample"
head -n 2000 "$tmp/pairs" >"$tmp/loop"
if command -v parallel >/dev/null; then
	"$bin/bench/catalogues" pairs "$((lines * 10))" "$tmp/big"
fi

# available COMMAND: whether the program of a row's command is installed.
available() {
	case $1 in
	*with_astropy.py*) /usr/bin/python3 -c 'import astropy' 2>/dev/null ;;
	\$*) true ;;
	*) command -v "${1%% *}" >/dev/null ;;
	esac
}

# measure NAME INPUT TIMING COMMAND: one run of the command, input from the
# file INPUT and output to /dev/null, timed by TIMING; keeps the fastest of
# NAME in $tmp/NAME.time: its seconds, kilobytes and INPUT's lines.
measure() {
	start=$(date +%s%N)
	eval "/usr/bin/time -o \"\$tmp/time\" -f %M $4" <"$2" >/dev/null 2>"$tmp/stderr" ||
		{ cat "$tmp/stderr" >&2; echo "$0: $1 failed" >&2; exit 1; }
	seconds=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')
	[ "$3" = wall ] || seconds=$(tail -n 1 "$tmp/stderr")
	n=$lines
	[ "$2" = "$tmp/null" ] || n=$(grep -cv '^#' "$2")
	if [ ! -f "$tmp/$1.time" ] || awk -v s="$seconds" -v f="$(cut -d' ' -f1 "$tmp/$1.time")" 'BEGIN { exit !(s < f) }'
	then echo "$seconds $(tail -n 1 "$tmp/time") $n" >"$tmp/$1.time"; fi
}

# The rows, their fields trimmed, separated by tabs.
sed -e 's/^#.*//' -e '/^[[:space:]]*$/d' "$repo/bench/catalogue.runs" |
	awk -F'|' -v OFS='\t' '{ for (i = 1; i <= NF; i++) gsub(/^[ \t]+|[ \t]+$/, "", $i); $1 = $1; print }' >"$tmp/table"
tab=$(printf '\t')
: >"$tmp/null"

echo "catalogue mode on $lines lines; $(uname -m), $(ldd --version | sed -n 1p)"
for round in 1 2 3 4 5; do
	while IFS=$tab read -r name input count timing _ _ command; do
		if [ "$round" -le "$count" ] && [ -f "$tmp/$input" ] && available "$command"; then
			measure "$name" "$tmp/$input" "$timing" "$command"
		fi
	done <"$tmp/table"
done

# The report: one line a row, in the table's order.
echo
printf '  %-20s %10s %8s %20s  %s\n' run "us a line" MB ratio target
while IFS=$tab read -r name _ _ _ base target command; do
	if [ ! -f "$tmp/$name.time" ]; then
		printf '  %-20s not installed\n' "$name"
		continue
	fi
	read -r seconds kb n <"$tmp/$name.time"
	base_s='' base_n=''
	[ ! -f "$tmp/$base.time" ] || read -r base_s _ base_n <"$tmp/$base.time"
	ours=no
	case $command in \$bin/skysep* | \$bin/precession*) ours=yes ;; esac
	awk -v name="$name" -v s="$seconds" -v n="$n" -v kb="$kb" -v base="$base" -v base_s="$base_s" \
		-v base_n="$base_n" -v target="$target" -v ours="$ours" 'BEGIN {
		us = s / n * 1e6
		printf "  %-20s %10.3f %8.1f", name, us, kb / 1024
		ok = 1
		if (base_s != "") {
			ratio = us / (base_s / base_n * 1e6)
			printf " %7.2fx %-11s", ratio, base
			if (target ~ /^<=/) ok = ratio <= substr(target, 3) + 0
			if (target ~ /^>=/) ok = ratio >= substr(target, 3) + 0
		} else {
			printf " %20s", ""
		}
		# The programs: in 4 MB, and alone a million lines a second.
		if (ours == "yes") ok = ok && kb <= 4096 && (base !~ /floor$/ || us <= 1)
		if (target != "-" || ours == "yes") printf "  %s %s", target, ok ? "met" : "MISSED"
		printf "\n" }'
done <"$tmp/table"

# parallel's bytes are those of one process.
if command -v parallel >/dev/null; then
	"$bin/skysep" - <"$tmp/big" | cksum >"$tmp/one.sum"
	parallel --pipepart -a "$tmp/big" --block -1 -k "$bin/skysep" - | cksum >"$tmp/parallel.sum"
	if cmp -s "$tmp/one.sum" "$tmp/parallel.sum"; then echo "  parallel: the same bytes as one process"
	else echo "  parallel: NOT the same bytes as one process: MISSED"; fi
fi
