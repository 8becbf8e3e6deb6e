#!/bin/sh
# Accuracy of both programs (bench/accuracy.cpp says what it measures, with
# Debian's liberfa-dev), and where astropy is installed (this script
# installs nothing), precession against its FK5 and FK4 frames
# (bench/with_astropy.py).
#
# usage: bench/accuracy.sh [runs]     (default 2000 cases a set)
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
if ! pkg-config --exists erfa 2>/dev/null; then
	echo "$0: needs the IAU routines in C and pkg-config: apt-get install liberfa-dev pkg-config" >&2
	exit 1
fi
bin=$(bench_build dynamic)
"$bin/bench/accuracy" "${1:-2000}"
echo
if [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import astropy' 2>/dev/null; then
	/usr/bin/python3 "$repo/bench/with_astropy.py" fk5 "$bin/precession" "${1:-2000}" 2>/dev/null
	/usr/bin/python3 "$repo/bench/with_astropy.py" gaia "$bin/precession" "${1:-2000}" 2>/dev/null
	bsc=/usr/share/xplanet/stars/BSC # xplanet's Bright Star Catalogue, where installed
	[ -f "$bsc" ] || bsc=
	# shellcheck disable=SC2086 # no catalogue at all where none is installed
	/usr/bin/python3 "$repo/bench/with_astropy.py" systems "$bin/precession" $bsc 2>/dev/null
else
	echo "astropy: not installed (Debian's python3-astropy), so no check against its FK5 frame"
fi
