#!/bin/sh
# What the two variants of glibc's math library change in the output: the
# last-bit differences of sin, cos, asin and acos, and the printed lines of
# both programs that differ (bench/variants.cpp says how).  Needs an x86-64
# processor with FMA and AVX2, where glibc picks one variant by default and
# the other when told to.
#
# usage: bench/variants.sh [runs]     (default 20000 cases a set)
set -eu
# shellcheck source=build.sh
. "$(dirname "$0")/build.sh"
bin=$(bench_build dynamic)
"$bin/bench/variants" "$bin/skysep" "$bin/precession" "${1:-20000}"
