#!/usr/bin/env bash
# Runs one Windows program under Wine as a test: wine32 (through qemu-user)
# or wine64, in the shared WoW64 prefix. Wine's services keep any pipe open,
# so output goes to a file that is printed once the program has ended.
set -uo pipefail
bits=$1; shift
. "$(dirname "$0")/wine-env.sh"
if [ "$bits" = 32 ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  echo "cannot run 32-bit x86 code on this machine: qemu-i386 is not registered with binfmt_misc" >&2
  echo "(run scripts/install-deps.sh all as root)" >&2
  exit 1
fi
wine=$WINE64; [ "$bits" = 32 ] && wine=$WINE32
log=$(mktemp)
"$wine" "$@" >"$log" 2>&1 </dev/null
rc=$?
wineserver -k >/dev/null 2>&1 </dev/null || true
cat "$log"; rm -f "$log"
exit $rc
