#!/usr/bin/env bash
# A plug-in library must export exactly one symbol, `main`, and depend only
# on what every machine of its platform has.
#   check-library.sh elf LIBRARY
#   check-library.sh pe  LIBRARY OBJDUMP
set -euo pipefail
kind=$1 library=$2
fail() { echo "$library: $*" >&2; exit 1; }

if [ "$kind" = elf ]; then
  exports=$(nm -D --defined-only "$library" | awk '{print $3}')
  [ "$exports" = main ] || fail "exports [$exports], want only main"
  nm -D --defined-only "$library" | grep -q ' T main$' || fail "main is not a function"
  needed=$(readelf -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  for lib in $needed; do
    case $lib in
      libc.so.*|libm.so.*|libdl.so.*|libpthread.so.*|ld-linux*|libX11.so.*|libxcb.so.*|libfreetype.so.*|libfontconfig.so.*) ;;
      *) fail "depends on $lib" ;;
    esac
  done
else
  objdump=$3
  dump=$("$objdump" -p "$library")
  exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p')
  [ "$exports" = main ] || fail "exports [$exports], want only main"
  for dll in $(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case $dll in
      kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|ole32.dll|oleaut32.dll|shell32.dll|advapi32.dll|comctl32.dll|uuid.dll|msimg32.dll) ;;
      *) fail "imports $dll, which is not a Windows system library" ;;
    esac
  done
fi
echo "$library: exports only main; imports are system libraries"
