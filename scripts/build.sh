#!/bin/sh
# Builds the presets named on the command line (default: win32 and win64).
#   win32  build/win32/tarnwick.exe, the program for 32-bit Windows
#   win64  build/win64/tarnwick.exe, the program for 64-bit Windows
#   tests  build/tests: unit tests, end-to-end tests and their helpers
set -eu
cd "$(dirname "$0")/.."

presets="${*:-win32 win64}"
for preset in $presets; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset"
done
