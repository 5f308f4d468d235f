#!/bin/sh
# Builds everything and runs every test: unit tests, the import-table checks
# and the end-to-end tests of the real program under Wine in a virtual
# display. Where this machine runs 32-bit code, the end-to-end tests also run
# against the 32-bit program (the tests labelled runs-32-bit-code). Extra
# arguments go to ctest (for example -R e2e).
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win32 win64 tests

. scripts/lib/wine-env.sh
trap stop_wine_and_display EXIT INT TERM
start_virtual_display
use_wine_prefix test desktop

if scripts/lib/runs-32-bit; then
    ctest --preset tests "$@"
else
    echo "This machine does not run 32-bit code: the end-to-end tests run against the 64-bit program only."
    ctest --preset tests -LE runs-32-bit-code "$@"
fi
