#!/usr/bin/env bash
# Builds Debian's libjpeg-turbo as a static library for one target and installs
# it under the cache, where cmake/JpegTurbo.cmake finds it:
#   build-libjpeg-turbo.sh linux-x86_64|windows-x86|windows-x64
# Prints the install prefix. Returns at once when that target is already built.
# The cache is ~/.cache/quaverlin unless QUAVERLIN_CACHE names another folder.
#
# The SIMD code needs nasm and buys nothing for one small picture decoded when
# the editor opens, so it is left out: every target builds with the C
# compiler alone.
set -euo pipefail
target=${1:?target: linux-x86_64, windows-x86 or windows-x64}
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${QUAVERLIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quaverlin}/libjpeg-turbo
prefix=$cache/$target

case $target in
  linux-x86_64) toolchain=() ;;
  windows-x86) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
  windows-x64) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
  *) echo "unknown target: $target" >&2; exit 2 ;;
esac

built() { [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; }
if built; then echo "$prefix"; exit 0; fi

mkdir -p "$cache"
# Several build trees may be configured at once; one of them builds.
exec 9>"$cache/.lock"
flock 9
if built; then echo "$prefix"; exit 0; fi

fetch_source() {
  local sources=/etc/apt/sources.list.d/debian.sources
  if ! grep -q '^Types:.*deb-src' "$sources"; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
  fi
  apt-get update -qq
  (cd "$cache" && apt-get source -qq libjpeg-turbo) >&2
}
shopt -s nullglob
unpacked=("$cache"/libjpeg-turbo-*/)
if [ ${#unpacked[@]} -eq 0 ]; then
  fetch_source
  unpacked=("$cache"/libjpeg-turbo-*/)
fi
src=${unpacked[0]%/}

build=$cache/build-$target
rm -rf "$build"
cmake -S "$src" -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_INSTALL_PREFIX="$prefix" >"$cache/build-$target.log" 2>&1 ||
  { cat "$cache/build-$target.log" >&2; exit 1; }
# Only the library: the command-line tools are of no use here.
cmake --build "$build" --target jpeg-static -j2 >>"$cache/build-$target.log" 2>&1 ||
  { cat "$cache/build-$target.log" >&2; exit 1; }

rm -rf "$prefix.tmp"
install -D -m644 "$build/libjpeg.a" "$prefix.tmp/lib/libjpeg.a"
install -D -m644 -t "$prefix.tmp/include" "$build/jconfig.h" \
  "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h"
rm -rf "$prefix" "$build"
mv "$prefix.tmp" "$prefix"
echo "$prefix"
