#!/bin/sh
# The examples of a document print exactly the lines shown under them.  A
# man page must also render without a warning from groff or mandoc; its
# examples are the lines "$ command" of its EXAMPLES section.  In a
# Markdown file they are the lines "$ command" of its console blocks.  A
# command line that ends in a backslash goes on on the next line.
# Each command is run by the shell, in order, in a folder of their own,
# with the built programs first on the PATH and in its build/, as in a
# checkout after the README's Quick start; in a cross build each runs
# through the emulator, under the name that the command gave it.  Each
# program is run once by its own path before any example, so that a
# program that is missing or cannot be executed fails the test rather
# than let the shell search on and find a copy installed elsewhere.
# usage: examples.sh document bin-dir [emulator [option...]]
set -u
doc=$1 bin=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
shell=$(command -v sh)
pass=0 fail=0

check() { # check WHAT OUTPUT: passes when OUTPUT is empty
	if [ -z "$2" ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1: $2"; fi
}

mkdir "$tmp/bin" "$tmp/run"
ln -s "$tmp/bin" "$tmp/run/build"
if [ $# -gt 0 ]; then
	emulator=$(command -v "$1")
	shift
	options=$(printf ' "%s"' "$@")
fi
for prog in skysep precession; do
	if [ -z "${emulator-}" ]; then
		ln -s "$bin/$prog" "$tmp/bin/$prog"
	else
		# The name as the command gave it, build/PROG, or PROG as found on
		# the PATH, as a native run has it.
		# shellcheck disable=SC2016 # $0 and $name are the wrapper's own
		printf '#!%s\ncase $0 in "%s"/*) name=${0##*/} ;; *) name=$0 ;; esac\nexec "%s"%s -0 "$name" "%s" "$@"\n' \
			"$shell" "$tmp/bin" "$emulator" "$options" "$bin/$prog" >"$tmp/bin/$prog"
		chmod +x "$tmp/bin/$prog"
	fi
	env PATH="$tmp/bin" "$prog" 2>"$tmp/usage"
	grep -q "^Usage:  $prog " "$tmp/usage" || check "$bin/$prog" "does not run: $(cat "$tmp/usage")"
done

# Extract the examples: cmdN holds the command, wantN the lines under it.
case $doc in
*.md)
	awk -v dir="$tmp" '
		/^```/ { on = ($0 == "```console"); cap = 0; next }
		on && /^\$ / { n++; cap = 1; print substr($0, 3) > (dir "/cmd" n); more = /\\$/; next }
		on && more { print > (dir "/cmd" n); more = /\\$/; next }
		on && cap { print > (dir "/want" n) }' "$doc"
	;;
*)
	check "groff warnings" "$(groff -man -ww -z "$doc" 2>&1)"
	check "mandoc lint" "$(mandoc -Tlint "$doc" 2>&1)"
	groff -man -Tutf8 -P-cbou "$doc" | awk -v dir="$tmp" '
		/^[^ ]/ { on = ($0 == "EXAMPLES"); next }
		!on { next }
		match($0, /^ *\$ /) { n++; cap = 1; indent = RLENGTH - 2; print substr($0, RLENGTH + 1) > (dir "/cmd" n); more = /\\$/; next }
		more { print substr($0, indent + 1) > (dir "/cmd" n); more = /\\$/; next }
		cap && substr($0, 1, indent) ~ /^ *$/ && length($0) > indent { print substr($0, indent + 1) > (dir "/want" n); next }
		{ cap = 0 }'
	;;
esac
n=1
[ -e "$tmp/cmd1" ] || { fail=$((fail + 1)); echo "FAIL: no examples"; }
while [ -e "$tmp/cmd$n" ]; do
	[ -e "$tmp/want$n" ] || : >"$tmp/want$n"
	(cd "$tmp/run" && PATH=$tmp/bin:$PATH "$shell" "$tmp/cmd$n") >"$tmp/got" 2>&1
	if cmp -s "$tmp/want$n" "$tmp/got"; then
		pass=$((pass + 1))
	else
		fail=$((fail + 1))
		echo "FAIL: $(cat "$tmp/cmd$n")"
		diff "$tmp/want$n" "$tmp/got"
	fi
	n=$((n + 1))
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
