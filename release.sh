#!/bin/sh
# Makes every artifact of a release from the commit checked out, and a
# SHA256SUMS file over them, in OUT (default: build-release):
#   skyangles_VERSION_amd64.deb, _arm64.deb, _armhf.deb
#       dynamic programs, built with Debian's default hardening
#   skyangles-VERSION-linux-x86_64.tar.gz, -aarch64, -armv7l, -riscv64
#       static programs, which run as unpacked
#   skyangles-VERSION.tar.gz
#       the source: exactly the files of the commit
# Two runs for one commit give the same bytes, wherever and whenever they
# run: the builds take no compiler or flags from the environment, files are
# made under umask 022, and every package carries the date of CHANGELOG.md's
# newest section (or SOURCE_DATE_EPOCH, if set).  SKYANGLES_MAINTAINER, if
# set, names the packages' maintainer.  The cross builds need g++-TRIPLET
# for each triplet below, and the .debs dpkg-dev and file.
#
# usage: ./release.sh [OUT]
set -eu
umask 022
repo=$(cd "$(dirname "$0")" && pwd)
out=${1:-$repo/build-release}
# OUT is emptied first, but only if it is empty already or holds a release
# that this script made.
if [ -d "$out" ] && [ -n "$(ls -A "$out")" ] && [ ! -e "$out/.skyangles-release" ]; then
	echo "$0: $out holds other files; give an empty or new folder" >&2
	exit 1
fi
rm -rf "$out"
mkdir -p "$out/build"
: >"$out/.skyangles-release"
out=$(cd "$out" && pwd)
unset CXX CXXFLAGS CPPFLAGS LDFLAGS
for tool in dpkg-shlibdeps file; do
	command -v "$tool" >/dev/null || { echo "$0: making the .debs needs $tool: apt-get install dpkg-dev file" >&2; exit 1; }
done

# build NAME [cmake option...]: configures and builds $out/build/NAME
# without tests, and prints the folder.
build() {
	name=$1
	dir=$out/build/$name
	shift
	if ! { cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		${SKYANGLES_MAINTAINER:+"-DSKYANGLES_MAINTAINER=$SKYANGLES_MAINTAINER"} "$@" &&
		cmake --build "$dir" -j2; } >"$out/build/$name.log" 2>&1; then
		cat "$out/build/$name.log" >&2
		echo "$0: the $name build failed" >&2
		exit 1
	fi
	echo "$dir"
}

# deb DIR: makes the .deb of the build in DIR, and copies it to $out.
deb() {
	(cd "$1" && cpack >cpack.log 2>&1) || { cat "$1/cpack.log" >&2; exit 1; }
	cp "$1"/*.deb "$out/"
}
# tarball DIR TARGET: makes the tarball of the build in DIR, and copies it
# to $out.
tarball() {
	cmake --build "$1" --target "$2" >/dev/null
	cp "$1"/skyangles-*.tar.gz "$out/"
}

# Each build is assigned to dir first, so that a failed one ends the script.
dir=$(build native-static -DSKYANGLES_STATIC=ON)
tarball "$dir" binary_tarball
dir=$(build native -DSKYANGLES_HARDENING=ON)
deb "$dir"
tarball "$dir" source_tarball
for triplet in aarch64-linux-gnu arm-linux-gnueabihf riscv64-linux-gnu; do
	toolchain=-DCMAKE_TOOLCHAIN_FILE=$repo/cmake/toolchains/$triplet.cmake
	dir=$(build "$triplet-static" "$toolchain" -DSKYANGLES_STATIC=ON)
	tarball "$dir" binary_tarball
	[ "$triplet" = riscv64-linux-gnu ] && continue
	dir=$(build "$triplet" "$toolchain" -DSKYANGLES_HARDENING=ON)
	deb "$dir"
done

cd "$out"
sha256sum -- *.deb *.tar.gz >SHA256SUMS
cat SHA256SUMS
