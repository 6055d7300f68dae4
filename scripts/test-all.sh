#!/usr/bin/env bash
# Builds the three plug-ins (Linux x86_64, Windows 32-bit, Windows 64-bit)
# and runs every test: natively, and under Wine for the two DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all

jobs=$(nproc)
configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "build/$dir" "$@" >"build/$dir.configure.log" 2>&1 || { cat "build/$dir.configure.log"; exit 1; }
  cmake --build "build/$dir" -j"$jobs"
}
failed=()
run_tests() {
  echo "== tests: $1"
  ctest --test-dir "build/$1" --output-on-failure || failed+=("$1")
}

mkdir -p build
configure_and_build linux -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_tests linux
configure_and_build linux-asan -DCMAKE_BUILD_TYPE=Debug -DQUAVERLIN_SANITIZE=address,undefined
run_tests linux-asan
# The real-time exclusion under ThreadSanitizer: editor, MIDI and audio
# threads hammering the same pattern memory.
configure_and_build linux-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVERLIN_SANITIZE=thread
echo "== tests: linux-tsan (concurrency)"
(cd build/linux-tsan/out && TSAN_OPTIONS=halt_on_error=1 ./quaverlin_tests --gtest_filter='Concurrency.*') ||
  failed+=(linux-tsan)
configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
run_tests win64
configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
skipped=()
if [ -f build/wine32-unavailable.txt ]; then
  # Built, but there is no 32-bit Wine to run it in: say so loudly.
  echo "=================================================================="
  echo "== SKIPPED: win32 suite (the 32-bit DLL is built but not tested)"
  sed 's/^/== /' build/wine32-unavailable.txt
  echo "=================================================================="
  skipped+=(win32)
else
  run_tests win32
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "== FAILED: ${failed[*]}"
  exit 1
fi
echo "== all tests passed: out/linux-x86_64/Quaverlin.so, out/windows-x86/Quaverlin.dll, out/windows-x64/Quaverlin.dll"
if [ ${#skipped[@]} -gt 0 ]; then
  echo "== SKIPPED: ${skipped[*]} (see the reason above)"
fi
