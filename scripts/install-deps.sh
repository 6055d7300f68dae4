#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only.
# Quick when everything is already there: it only checks.
#   install-deps.sh build   compilers and libraries for the native build
#   install-deps.sh all     also mingw-w64, Wine (32 and 64 bit), Xvfb, Ardour,
#                           the test readers and clang for the fuzzers
#
# Debian's mirrors are sometimes caught mid-sync: index updates are retried,
# and if wine32:i386 alone still cannot be installed (an i386 index out of
# step with the others makes it uninstallable for hours), everything else is
# installed and the reason is written to $WINE32_UNAVAILABLE for the test
# run to report, instead of failing the whole set-up.
set -euo pipefail
want=${1:-all}
WINE32_UNAVAILABLE=${WINE32_UNAVAILABLE:-$(dirname "$0")/../build/wine32-unavailable.txt}

native_pkgs=(cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libfreetype-dev libfontconfig-dev libjack-jackd2-dev jackd2 fonts-dejavu-core fonts-dejavu-extra
  fonts-liberation dpkg-dev)
cross_pkgs=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
  qemu-user-static wine wine64 fonts-wine xvfb x11-apps x11-utils imagemagick xdotool
  dpf-plugins-vst ardour python3-mido midicsv)
# The fuzzers' build: clang with libFuzzer and its sanitizer runtimes.
fuzz_pkgs=(clang libclang-rt-14-dev)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

update_index() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    if apt-get update -qq >"$log" 2>&1; then rm -f "$log"; return 0; fi
    echo "apt-get update failed (try $try of 3): $(grep -m1 '^E:' "$log")" >&2
    [ $try = 3 ] || sleep 5
  done
  rm -f "$log"
  return 1
}

install() {
  # shellcheck disable=SC2068
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $@
}

pkgs=("${native_pkgs[@]}")
[ "$want" = all ] && pkgs+=("${cross_pkgs[@]}" "${fuzz_pkgs[@]}")

updated=no
if [ "$want" = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  update_index || true
  updated=yes
fi
need=$(missing "${pkgs[@]}")
if [ -n "$need" ]; then
  echo "installing: $need"
  [ $updated = yes ] || update_index || true
  updated=yes
  install $need >/dev/null
fi
[ "$want" = all ] || exit 0

mkdir -p "$(dirname "$WINE32_UNAVAILABLE")"
rm -f "$WINE32_UNAVAILABLE"
if [ -n "$(missing wine32:i386)" ]; then
  [ $updated = yes ] || update_index || true
  reason=""
  for try in 1 2; do
    if out=$(install wine32:i386 2>&1); then reason=""; break; fi
    # -qq keeps the unmet dependencies to itself: a dry run names them.
    reason=$( (printf '%s\n' "$out"; apt-get install -s wine32:i386 2>&1) |
      grep -E '^(E:| )' | awk '!seen[$0]++' | head -n 12 || true)
    echo "wine32:i386 could not be installed (try $try of 2)" >&2
    [ $try = 2 ] || update_index || true
  done
  if [ -n "$reason" ]; then
    printf 'wine32:i386 cannot be installed from the mirror now; apt said:\n%s\n' "$reason" >"$WINE32_UNAVAILABLE"
    echo "WARNING: $(head -n 1 "$WINE32_UNAVAILABLE") (the 32-bit suite will be reported SKIPPED)" >&2
  fi
fi

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
