#!/bin/sh
# Builds the program and the benchmark and runs the benchmark under Wine in a
# virtual display against the 64-bit program, twice: with every window in one
# Wine virtual desktop, then with each window an X window of its own (a plain
# "wine tarnwick.exe"), where painting costs more. Prints a table each time;
# takes several minutes (pass --quick for a short run with fewer samples,
# --only=SECTION[,SECTION...] for some of memory, idle, detection, storm,
# modal, drag, menu, repaint, busy, latency, lookup, copy; the second setting
# runs only idle, detection, storm, modal, drag, menu and repaint).
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win64 tests

. scripts/lib/wine-env.sh
trap stop_wine_and_display EXIT INT TERM
start_virtual_display

run_bench() {
    TARNWICK_E2E_EXE="$TARNWICK_ROOT/build/win64/tarnwick.exe" \
        "$WINE" build/tests/bench/foregroundBench.exe "Z:$TARNWICK_ROOT/build/tests/standins/windowHost.exe" "$@"
}

use_wine_prefix bench desktop
run_bench "$@"
"$WINESERVER" -k >/dev/null 2>&1 || true

# Of the sections asked for, the second setting runs its own only.
second="idle,detection,storm,modal,drag,menu,repaint"
only="$second"
for argument in "$@"; do
    case "$argument" in
        --only=*)
            only=""
            for section in $(echo "${argument#--only=}" | tr ',' ' '); do
                case ",$second," in
                    *",$section,"*) only="$only${only:+,}$section" ;;
                esac
            done
            ;;
    esac
done
if [ -z "$only" ]; then
    exit 0
fi
use_wine_prefix bench-x11
quick=""
for argument in "$@"; do
    if [ "$argument" = "--quick" ]; then
        quick="--quick"
    fi
done
echo
run_bench $quick "--only=$only"
