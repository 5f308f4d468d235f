#!/bin/sh
# Builds everything and runs every test: unit tests, the import-table checks
# and the end-to-end tests of the real program under Wine in a virtual
# display. Extra arguments go to ctest (for example -R e2e).
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win32 win64 tests

. scripts/lib/wine-env.sh
trap stop_wine_and_display EXIT INT TERM
start_virtual_display
use_wine_prefix test desktop

ctest --preset tests "$@"
