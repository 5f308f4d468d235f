#!/bin/sh
# Log-off: the end of the Windows session (wineboot --end-session) ends the
# running program, and on its way out the program restores the timer
# resolution. Wine's relay trace of the program must show timeBeginPeriod(1)
# and timeEndPeriod(1) once each, and the end-session message reaching it.
# Runs in a prefix of its own, since the end of the session ends every
# program of the prefix.
#   logoff_test.sh PROGRAM PROBE WORK_FOLDER
set -eu
program=$1
probe=$2
work=$3
. "$(dirname "$0")/../scripts/lib/wine-env.sh"

program_pid=""
finish() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
    fi
    stop_wine_and_display
}
trap finish EXIT INT TERM
fail() {
    echo "FAILED: $*"
    exit 1
}

use_wine_prefix logoff desktop
"$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
    /d 'winmm.timeBeginPeriod;winmm.timeEndPeriod' /f >/dev/null 2>&1
# The desktop first, so that it does not inherit the program's trace.
"$WINE" "$probe" desktop

trace=$work/e2e_logoff.trace.log
WINEDEBUG=+relay "$WINE" "$program" >/dev/null 2>"$trace" &
program_pid=$!
found=$("$WINE" "$probe" wait-logging | tr -d '\r')
[ -n "$found" ] || fail "the program did not start logging"
thread=${found#*thread=}
window=${found#*window=}
window=${window%% *}
echo "program running and logging: $found"

"$WINE" wineboot --end-session
echo "session ended"

# The program must go by itself.
tries=0
while kill -0 "$program_pid" 2>/dev/null; do
    tries=$((tries + 1))
    if [ "$tries" -gt 300 ]; then
        fail "the program was still running 30 s after the end of the session"
    fi
    sleep 0.1
done
wait "$program_pid" || true
program_pid=""
echo "program ended"

count() {
    grep -c "^$thread:$1" "$trace" || true
}
begin=$(count 'Call winmm.timeBeginPeriod(00000001)')
end=$(count 'Call winmm.timeEndPeriod(00000001)')
all_begin=$(count 'Call winmm.timeBeginPeriod(')
all_end=$(count 'Call winmm.timeEndPeriod(')
end_session=$(count "Call window proc .*(hwnd=$window,msg=WM_ENDSESSION,wp=00000001,")
echo "timeBeginPeriod(1): $begin of $all_begin calls; timeEndPeriod(1): $end of $all_end calls;" \
     "WM_ENDSESSION(TRUE) to the window: $end_session"
[ "$end_session" -eq 1 ] || fail "the program's window did not get WM_ENDSESSION once (trace: $trace)"
[ "$begin" -eq 1 ] && [ "$all_begin" -eq 1 ] || fail "timeBeginPeriod was not called exactly once with 1"
[ "$end" -eq 1 ] && [ "$all_end" -eq 1 ] || fail "timeEndPeriod was not called exactly once with 1"
[ "$("$WINE" "$probe" count | tr -d '\r')" -eq 0 ] || fail "a program window is left"
echo "PASSED"
