#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only.
# Quick when everything is already there: it only checks.
#   install-deps.sh build   compilers and libraries for the native build
#   install-deps.sh all     also mingw-w64, Wine (32 and 64 bit), Xvfb, the test readers
#                           and clang for the fuzzers
set -euo pipefail
want=${1:-all}

native_pkgs=(cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core dpkg-dev)
cross_pkgs=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
  qemu-user-static wine wine64 wine32:i386 fonts-wine xvfb x11-apps imagemagick xdotool
  dpf-plugins-vst ardour python3-mido midicsv)
# The fuzzers' build: clang with libFuzzer and its sanitizer runtimes.
fuzz_pkgs=(clang libclang-rt-14-dev)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

pkgs=("${native_pkgs[@]}")
[ "$want" = all ] && pkgs+=("${cross_pkgs[@]}" "${fuzz_pkgs[@]}")

if [ "$want" = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update -qq
fi
need=$(missing "${pkgs[@]}")
if [ -n "$need" ]; then
  echo "installing: $need"
  apt-get update -qq || true
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need >/dev/null
fi
[ "$want" = all ] || exit 0

# 32-bit x86 code runs here only through qemu-user: register it with the kernel
# (the F flag opens the interpreter now, so it works inside any mount namespace).
if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    > /proc/sys/fs/binfmt_misc/register
fi

# One WoW64 prefix for both Windows builds; it lives outside the checkout so a
# clean clone reuses it.
"$(dirname "$0")/wine-prefix.sh"
