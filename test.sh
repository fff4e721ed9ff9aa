#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless, and a host
# program built outside the tree; then builds the same tree under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test once
# more, where a memory fault, a leak or undefined behaviour fails the test
# that met it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
suite() { ctest --test-dir "$1" --output-on-failure -j"$(nproc)" --timeout 300; }
scripts/build.sh
suite build
# A host program in a project of its own, outside the tree, that adds the
# toolkit with add_subdirectory (tests/host): built from a copy in a folder
# of its own (kept between runs, so the compiler cache serves it) and run on
# a new demo database, where it receives lots and issues them.
host="${TMPDIR:-/tmp}/asignacion-anfitrion-$(printf %s "$PWD" | cksum | cut -d' ' -f1)"
rm -rf "$host/src" "$host/demo.db"
mkdir -p "$host"
cp -r tests/host "$host/src"
cmake -S "$host/src" -B "$host/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DASIGNACION_DIR="$PWD" >/dev/null
cmake --build "$host/build" -j"$(nproc)"
"$host/build/anfitrion" "$host/demo.db"
scripts/build.sh sanitizers
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1
suite build-asan
