#!/bin/sh
# A man page renders without a warning from groff or mandoc, and every
# command in its EXAMPLES section, run by the shell, prints exactly the
# lines shown under it.  The examples see only the built programs on their
# PATH, so a copy installed elsewhere can never stand in for one that is
# missing or cannot be executed; in a cross build each is run through the
# emulator, under its own name.
# usage: man_page.sh page bin-dir [emulator [option...]]
set -u
page=$1 bin=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
shell=$(command -v sh)
pass=0 fail=0

check() { # check WHAT OUTPUT: passes when OUTPUT is empty
	if [ -z "$2" ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1: $2"; fi
}
check "groff warnings" "$(groff -man -ww -z "$page" 2>&1)"
check "mandoc lint" "$(mandoc -Tlint "$page" 2>&1)"

mkdir "$tmp/bin"
if [ $# -gt 0 ]; then
	emulator=$(command -v "$1")
	shift
	options=$(printf ' "%s"' "$@")
fi
for prog in skysep precession; do
	if [ -z "${emulator-}" ]; then
		ln -s "$bin/$prog" "$tmp/bin/$prog"
	else
		printf '#!%s\nexec "%s"%s -0 %s "%s" "$@"\n' "$shell" "$emulator" "$options" \
			"$prog" "$bin/$prog" >"$tmp/bin/$prog"
		chmod +x "$tmp/bin/$prog"
	fi
done

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
	PATH=$tmp/bin "$shell" "$cmd" >"$tmp/got" 2>&1
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
