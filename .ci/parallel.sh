#!/bin/sh
# The README's many-machine command, checked for real: GNU parallel sends
# the blocks of a catalogue over ssh to two logins, host1 and host2, to an
# sshd of this script's own on 127.0.0.1, and the output must be the bytes
# of one process.  So must skysep --match's, and that of the zone recipe
# of skysep(1), its commands taken from the page that BIN's build
# rendered, run over ssh and here.  The sshd has its own port, throwaway
# host and client keys, its own configuration and known_hosts, and the
# logins a home in a temporary folder, so the machine's own ssh setup is
# left untouched; its sessions find the built programs on their PATH, as
# if installed there.
# CI installs what it needs; without it, the check fails saying what is missing.
#
# usage: .ci/parallel.sh BIN    (the build folder of skysep and precession)
# shellcheck disable=SC2317 # the functions that trap and check call
set -eu
[ $# -eq 1 ] || { echo "usage: $0 BIN" >&2; exit 2; }
bin=$(cd "$1" && pwd)
sshd=/usr/sbin/sshd
missing() { echo "parallel.sh: $1" >&2; exit 1; }
command -v parallel >/dev/null || missing "GNU parallel is not installed (apt-get install parallel)"
[ -x "$sshd" ] || missing "sshd is not installed (apt-get install openssh-server)"
command -v ssh >/dev/null || missing "ssh is not installed (apt-get install openssh-client)"
command -v rsync >/dev/null || missing "rsync is not installed (apt-get install rsync)"
command -v groff >/dev/null || missing "groff is not installed (apt-get install groff-base)"

tmp=$(mktemp -d)
made_run_sshd=
cleanup() {
	if [ -f "$tmp/sshd.pid" ]; then kill "$(cat "$tmp/sshd.pid")" 2>/dev/null || true; fi
	[ -z "$made_run_sshd" ] || rmdir /run/sshd 2>/dev/null || true
	rm -rf "$tmp"
}
trap cleanup EXIT

# The keys, and the sshd's own configuration, on a port of its own.
ssh-keygen -q -t ed25519 -N '' -C skyangles-test -f "$tmp/host_key"
ssh-keygen -q -t ed25519 -N '' -C skyangles-test -f "$tmp/client_key"
cp "$tmp/client_key.pub" "$tmp/authorized_keys"
echo "skyangles-test $(cut -d' ' -f1,2 "$tmp/host_key.pub")" >"$tmp/known_hosts"
# sshd as root needs its privilege separation folder, which only its
# service makes; it is made here if missing, and removed again.
if [ "$(id -u)" -eq 0 ] && [ ! -d /run/sshd ]; then
	mkdir -m 0755 /run/sshd
	made_run_sshd=yes
fi
# The first of a few ports that this script's sshd can listen on.
port=$((20000 + $$ % 20000))
for try in 1 2 3 4 5; do
	cat >"$tmp/sshd_config" <<CONFIG
Port $port
ListenAddress 127.0.0.1
HostKey $tmp/host_key
PidFile $tmp/sshd.pid
AuthorizedKeysFile $tmp/authorized_keys
StrictModes no
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
PermitRootLogin prohibit-password
SetEnv PATH=$bin:/usr/local/bin:/usr/bin:/bin HOME=$tmp
CONFIG
	"$sshd" -f "$tmp/sshd_config" -E "$tmp/sshd.log" && break
	[ "$try" -lt 5 ] || { cat "$tmp/sshd.log" >&2; echo "parallel.sh: sshd did not start" >&2; exit 1; }
	port=$((port + 1))
done
cat >"$tmp/ssh_config" <<CONFIG
Host host1 host2
	HostName 127.0.0.1
	Port $port
	User $(id -un)
	HostKeyAlias skyangles-test
	IdentityFile $tmp/client_key
	IdentitiesOnly yes
	UserKnownHostsFile $tmp/known_hosts
	GlobalKnownHostsFile /dev/null
	StrictHostKeyChecking yes
	BatchMode yes
CONFIG
for _ in 1 2 3 4 5 6 7 8 9 10; do
	[ -s "$tmp/sshd.pid" ] && ssh -F "$tmp/ssh_config" host1 true 2>/dev/null && break
	sleep 0.5
done
ssh -F "$tmp/ssh_config" host1 true || { cat "$tmp/sshd.log" >&2; echo "parallel.sh: sshd did not answer" >&2; exit 1; }

# A catalogue, with a bad line among good ones, and a header.
awk 'BEGIN {
	for (i = 0; i < 20000; i++)
		printf "%dh%dm%d.%02ds %s%do%d\x27%d %dh%dm%ds %s%do%d\x27\n", i % 24, i % 60, i % 59, i % 100,
		       i % 3 ? "+" : "-", i % 90, i % 60, i % 57, (i * 7) % 24, i % 53, i % 47, i % 2 ? "+" : "-",
		       (i * 11) % 90, i % 31
	print "not a position"
}' >"$tmp/pairs"
printf 'ra,dec,year\n' >"$tmp/stars.csv"
awk 'BEGIN { for (i = 0; i < 5000; i++) printf "%02d:%02d:%02d.%d,%+03d:%02d:%02d,%d\n", i % 24, i % 60, i % 59,
	i % 10, i % 90 - 45, i % 60, i % 57, 1000 + i % 2001 }' >>"$tmp/stars.csv"

# run FILE PROG ARG...: PROG ARG... under the README's command, over ssh
# to host1 and host2, on FILE, into got, got.err and got_status, with the
# options of parallel in $extra too; and as one process into want and
# want_status.
extra=
run() {
	file=$1
	shift
	got_status=0 want_status=0
	# shellcheck disable=SC2086 # $extra is words for parallel, or none
	HOME=$tmp PARALLEL_SSH="ssh -F $tmp/ssh_config" \
		parallel --pipepart -a "$file" --block -1 -k -S host1,host2 $extra "$@" >"$tmp/got" 2>"$tmp/got.err" ||
		got_status=$?
	prog=$1
	shift
	"$bin/$prog" "$@" <"$file" >"$tmp/want" 2>/dev/null || want_status=$?
}
failed=0
# check NAME CONDITION...: reports whether the condition holds.
check() {
	name=$1
	shift
	if "$@"; then
		echo "ok: $name"
	else
		echo "FAIL: $name: status $got_status, one process $want_status; parallel's messages:"
		head -n 5 "$tmp/got.err"
		failed=1
	fi
}
same() { cmp -s "$tmp/got" "$tmp/want" && [ "$got_status" -eq "$want_status" ]; }

# The same bytes and status as one process: a bad line fails its block.
run "$tmp/pairs" skysep -
check "skysep - on 20001 lines, one of them bad" same
# Options pass through unchanged; columns by number need no header.
sed '1s/^/#/' "$tmp/stars.csv" >"$tmp/stars-comment.csv"
run "$tmp/stars-comment.csv" precession --model=iau2006 --bare --delimiter=, --columns=1,2,3 -
check "precession with options, by field number, the header a comment" same
# By name, --header 1 gives every block the header, and each block's
# output begins with the header's line: the answers are the same, in
# order, with the header's line again for each block after the first.
blocks=$(HOME=$tmp parallel --number-of-cores)
extra="--header 1"
run "$tmp/stars.csv" precession --bare --delimiter=, --columns=ra,dec,year -
answers_match() {
	header=$(head -n 1 "$tmp/want")
	grep -v -x -F "$header" "$tmp/got" >"$tmp/got-answers" || true
	grep -v -x -F "$header" "$tmp/want" >"$tmp/want-answers" || true
	cmp -s "$tmp/got-answers" "$tmp/want-answers" && [ "$got_status" -eq 0 ] &&
		[ "$(grep -c -x -F "$header" "$tmp/got")" -gt 1 ]
}
check "precession by column name, with --header 1 ($blocks cores)" answers_match
# skysep --match: a reference catalogue and positions to match, in
# degrees.  Rows over the whole sky, and positions within 1.5" of some;
# rows and positions within 1.5" of the zones' edges at -30, 0 and +30
# degrees, of the pole and of 0 hours; every tenth row written again
# further on, a tie that the first copy wins; and comments and blank
# lines, which count in the line numbers.
awk -v ref="$tmp/REF" -v input="$tmp/IN" 'function row(ra, dec) { printf "%.7f %.7f\n", (ra + 360) % 360, dec >ref; n++
		if (n % 10 == 0) again[n] = sprintf("%.7f %.7f", (ra + 360) % 360, dec)
		if (n % 500 == 0) print "# rows " n "\n" >ref }
	function position(ra, dec) { printf "%.7f %.7f\n", (ra + 360) % 360, (dec > 90 ? 90 : dec < -90 ? -90 : dec) >input }
	function near() { return (rand() - 0.5) * 3 / 3600 }
	BEGIN {
		srand(7)
		pi = 4 * atan2(1, 1)
		print "# ra dec" >ref
		for (i = 0; i < 4000; i++) {
			s = 2 * rand() - 1
			ra = 360 * rand(); dec = atan2(s, sqrt(1 - s * s)) * 180 / pi
			row(ra, dec)
			if (i % 2) position(ra + near() / cos(dec * pi / 180), dec + near())
		}
		for (i = 0; i < 300; i++) {
			edge = 30 * (i % 3 - 1); ra = 1.2 * i
			row(ra, edge + near())
			position(ra, edge + near())
			row(ra + near(), 90 - rand() / 3600); position(ra, 90 - rand() / 3600)
			row(-rand() / 3600, near()); position(rand() / 3600, near())
		}
		for (k in again) print again[k] >ref
		print "# positions\n" >input
	}'
# The zone recipe of skysep(1), "A FILE larger than memory", as the page
# renders it: its lines from the first awk to the one that writes OUT.
# Run here, it is without -S host1,host2 and the options after it; and
# with no margin, to show that the check can tell.
groff -man -Tutf8 -P-cbou "$bin/man/skysep.1" | awk '
	/^ *awk -v zones=4 -v margin=/ { on = 1; indent = match($0, /[^ ]/) - 1 }
	on { print substr($0, indent + 1) }
	on && / route >OUT$/ { exit }' >"$tmp/recipe"
sed -e 's/ -S host1,host2 .*--cleanup / /' -e '/^ *--transferfile /d' "$tmp/recipe" >"$tmp/recipe-here"
sed 's/-v margin=0.0003 /-v margin=0 /' "$tmp/recipe-here" >"$tmp/recipe-no-margin"
if ! grep -q -e '-S host1,host2' "$tmp/recipe" || grep -q -e '-S host1' -e '--transferfile' "$tmp/recipe-here" ||
	grep -q 'margin=0.0003' "$tmp/recipe-no-margin"; then
	missing "$bin/man/skysep.1 has no zone recipe that this script can run"
fi
# zone_recipe RECIPE: runs it in a folder of its own with REF and IN, the
# parallel of it going over ssh to host1 and host2, into got and
# got_status; and one process into want and want_status.
zone_recipe() {
	rm -rf "$tmp/zones"
	mkdir "$tmp/zones"
	cp "$tmp/REF" "$tmp/IN" "$tmp/zones"
	got_status=0 want_status=0
	(cd "$tmp/zones" && PATH=$bin:$PATH HOME=$tmp PARALLEL_SSH="ssh -F $tmp/ssh_config" sh -e "$1") \
		2>"$tmp/got.err" || got_status=$?
	cp "$tmp/zones/OUT" "$tmp/got" 2>/dev/null || : >"$tmp/got"
	"$bin/skysep" --match="$tmp/REF" --radius=1 --unit=arcsec --degrees - <"$tmp/IN" >"$tmp/want" 2>/dev/null ||
		want_status=$?
}
zone_recipe "$tmp/recipe"
check "skysep --match by zones of declination, over ssh" same
zone_recipe "$tmp/recipe-here"
check "skysep --match by zones of declination, run here" same
zone_recipe "$tmp/recipe-no-margin"
differs() { ! cmp -s "$tmp/got" "$tmp/want"; }
check "skysep --match by zones without their overlap differs" differs
# Each block holds REF, over ssh; a bad line fails its block.
extra=
{ cat "$tmp/IN"; echo 'x y'; } >"$tmp/IN-bad"
run "$tmp/IN-bad" skysep --match="$tmp/REF" --radius=1 --unit=arcsec --degrees -
check "skysep --match, blocks over ssh" same
exit $failed
