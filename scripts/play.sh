#!/usr/bin/env bash
# The main job: builds the Linux plug-in, lets the substitute host play its
# demo pattern for a few bars and writes what the plug-in sent as a MIDI file.
# Extra arguments go to `quaverlin-host play` (--tempo, --bars, --rate,
# --block, --loop START:END, --locate AT:TO, --chunk FILE, --out FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
mkdir -p build
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >build/linux.configure.log 2>&1 ||
  { cat build/linux.configure.log; exit 1; }
cmake --build build/linux -j"$(nproc)" --target Quaverlin quaverlin-host >/dev/null
out/linux-x86_64/quaverlin-host info out/linux-x86_64/Quaverlin.so
echo
out/linux-x86_64/quaverlin-host play --out out/quaverlin-play.mid "$@" out/linux-x86_64/Quaverlin.so
