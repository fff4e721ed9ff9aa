#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; then builds
# the same tree under AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test once more, where a memory fault, a leak or undefined behaviour
# fails the test that met it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
suite() { ctest --test-dir "$1" --output-on-failure -j"$(nproc)" --timeout 300; }
scripts/build.sh
suite build
scripts/build.sh sanitizers
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1
suite build-asan
