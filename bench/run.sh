#!/bin/sh
# Builds the program and the benchmark and runs the benchmark under Wine in a
# virtual display against the 64-bit program. Prints a table; takes several
# minutes (pass --quick for a short run with fewer samples, --only=SECTION
# for one of memory, idle, detection, busy, latency, lookup).
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win64 tests

. scripts/lib/wine-env.sh
trap stop_wine_and_display EXIT INT TERM
start_virtual_display
use_wine_prefix bench desktop

TARNWICK_E2E_EXE="$TARNWICK_ROOT/build/win64/tarnwick.exe" \
    "$WINE" build/tests/bench/foregroundBench.exe "Z:$TARNWICK_ROOT/build/tests/standins/windowHost.exe" "$@"
