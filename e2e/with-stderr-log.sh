#!/bin/sh
# Runs a test program with its standard error going to a file of its own and
# tells it the file's name in TARNWICK_E2E_STDERR_LOG. Under Wine the debug
# channels of the programs a test starts (the relay trace, for example) are
# written to the standard error they inherit, so the test reads them there.
#   with-stderr-log.sh LOG_FILE COMMAND [ARGUMENT...]
set -eu
log=$1
shift
: >"$log"
TARNWICK_E2E_STDERR_LOG=$log
export TARNWICK_E2E_STDERR_LOG
status=0
"$@" 2>>"$log" || status=$?
if [ "$status" -ne 0 ]; then
    echo "(standard error and Wine's trace are in $log)"
fi
exit "$status"
