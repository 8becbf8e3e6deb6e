#!/bin/sh
# A man page renders without a warning, and every command in its EXAMPLES
# section, run by the shell with the built programs first on the PATH,
# prints exactly the lines shown under it.
# usage: man_page.sh page bin-dir
set -u
page=$1
PATH=$2:$PATH
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0 fail=0

warnings=$(groff -man -ww -z "$page" 2>&1)
if [ -z "$warnings" ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: warnings: $warnings"; fi

# Each example: a line "$ command", then its output at the same indent.
groff -man -Tutf8 -P-cbou "$page" | awk -v dir="$tmp" '
	/^[^ ]/ { on = ($0 == "EXAMPLES"); next }
	!on { next }
	match($0, /^ *\$ /) { n++; cap = 1; indent = RLENGTH - 2; print substr($0, RLENGTH + 1) > (dir "/cmd" n); next }
	cap && substr($0, 1, indent) ~ /^ *$/ && length($0) > indent { print substr($0, indent + 1) > (dir "/want" n); next }
	{ cap = 0 }'
for cmd in "$tmp"/cmd*; do
	[ -e "$cmd" ] || { fail=$((fail + 1)); echo "FAIL: no examples"; break; }
	want=$(echo "$cmd" | sed 's/cmd\([0-9]*\)$/want\1/')
	sh "$cmd" >"$tmp/got" 2>&1
	if cmp -s "$want" "$tmp/got"; then
		pass=$((pass + 1))
	else
		fail=$((fail + 1))
		echo "FAIL: $(cat "$cmd")"
		diff "$want" "$tmp/got"
	fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
