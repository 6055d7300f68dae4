#!/usr/bin/env bash
# The main job: builds the Linux plug-in and lets the substitute host load it
# and report what it is. Extra arguments go to the host.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
mkdir -p build
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >build/linux.configure.log 2>&1 ||
  { cat build/linux.configure.log; exit 1; }
cmake --build build/linux -j"$(nproc)" --target Quaverlin quaverlin-host >/dev/null
out/linux-x86_64/quaverlin-host info out/linux-x86_64/Quaverlin.so "$@"
