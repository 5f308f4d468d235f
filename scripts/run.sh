#!/bin/sh
# The README's run command: builds both programs and runs the 64-bit one
# under Wine, in the Wine prefix build/wine/run.
#  - With $DISPLAY set, the window appears there.
#  - Without a display, it starts a virtual one (Xvfb) with a Wine virtual
#    desktop, runs the program while a small demonstration puts a few windows
#    in the foreground, prints the lines the program logged, saves a
#    screenshot to build/screenshot.png and closes the program.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win32 win64

. scripts/lib/wine-env.sh
trap stop_wine_and_display EXIT INT TERM

program="$TARNWICK_ROOT/build/win64/tarnwick.exe"

use_run_prefix() {
    use_wine_prefix run
    # Wine as packaged here does not load its own Marlett font, which draws
    # the caption buttons; from the prefix's font folder it does.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
}

if [ -n "${DISPLAY:-}" ]; then
    use_run_prefix
    echo "Running $program under Wine; close its window to end."
    "$WINE" "$program"
    exit 0
fi

# The demonstration is built with the tests.
if [ ! -f build/tests/CMakeCache.txt ]; then
    cmake --preset tests >/dev/null
fi
cmake --build --preset tests --target tarnwick_demo
demo="$TARNWICK_ROOT/build/tests/e2e/tarnwick_demo.exe"

windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

start_virtual_display
use_run_prefix
# Every program that must see the others runs in the same virtual desktop.
desktop="/desktop=tarnwick,1024x768"
lines="$TARNWICK_ROOT/build/run-lines.txt"
rm -f "$lines"

echo "Starting $program in a Wine virtual desktop on $DISPLAY"
"$WINE" explorer "$desktop" "$(windows_path "$program")" >/dev/null 2>&1 &
"$WINE" explorer "$desktop" "$(windows_path "$demo")" show "$(windows_path "$lines")" >/dev/null 2>&1 &

# The demonstration writes the log when it is done.
tries=0
until [ -f "$lines" ] && grep -q '^READY' "$lines"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ]; then
        echo "The demonstration did not finish within a minute." >&2
        exit 1
    fi
    sleep 0.1
done

echo
echo "The program logged these lines:"
grep -v '^READY' "$lines" | tr -d '\r'
echo

screenshot="$TARNWICK_ROOT/build/screenshot.png"
import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$screenshot"
echo "Screenshot: $screenshot"

"$WINE" explorer "$desktop" "$(windows_path "$demo")" close >/dev/null 2>&1
echo "Closed the program."
