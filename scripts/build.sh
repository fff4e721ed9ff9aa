#!/usr/bin/env bash
# Configures and builds into build/ (tests included); `scripts/build.sh
# sanitizers` builds the same tree into build-asan/ under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
options=()
if [ "${1:-}" = sanitizers ]; then
  dir=build-asan
  options=(-DSANITIZERS=ON)
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
