# Sourced by the scripts: a Wine prefix and, when needed, a virtual display.
#   use_wine_prefix NAME [desktop]  prefix build/wine/NAME, created on first use;
#                                   with "desktop", every program of the prefix
#                                   runs in one Wine virtual desktop
#   start_virtual_display           Xvfb on a free display, exported as DISPLAY
#   stop_wine_and_display           ends the prefix's programs and the display

TARNWICK_ROOT=$(cd "$(dirname "$0")/.." && pwd)
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG="${WINEDEBUG:--all}"
WINE="$TARNWICK_ROOT/scripts/wine-run"
XVFB_PID=""

use_wine_prefix() {
    export WINEPREFIX="$TARNWICK_ROOT/build/wine/$1"
    # Where 32-bit code runs, a prefix made with 32-bit Wine installed holds
    # both kinds of program; one made before does not, and is made again.
    kind=64
    if "$TARNWICK_ROOT/scripts/lib/runs-32-bit" && [ -x /usr/lib/wine/wine ]; then
        kind=64+32
    fi
    if [ "$(cat "$WINEPREFIX/.tarnwick-ready" 2>/dev/null)" != "$kind" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)..."
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
        "$WINESERVER" -w
        if [ "${2:-}" = "desktop" ]; then
            "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
            "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
            "$WINESERVER" -w
        fi
        echo "$kind" >"$WINEPREFIX/.tarnwick-ready"
    fi
    # One wineserver for the whole run: programs then start in a fraction of
    # a second instead of seconds. Starting one program here also starts
    # Wine's own services now, detached from the caller's output, so that
    # they do not hold a test runner's pipes open.
    "$WINESERVER" -p
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

start_virtual_display() {
    display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display"
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
}

stop_wine_and_display() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
