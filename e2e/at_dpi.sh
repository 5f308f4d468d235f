#!/bin/sh
# Runs a command in a Wine prefix of its own whose screen has the given DPI,
# build/wine/dpiN, with its own wineserver for as long as the command runs.
# The command learns the DPI from TARNWICK_E2E_DPI.
#   at_dpi.sh DPI COMMAND [ARGUMENT...]
set -eu
dpi=$1
shift
. "$(dirname "$0")/../scripts/lib/wine-env.sh"
trap stop_wine_and_display EXIT INT TERM

use_wine_prefix "dpi$dpi" desktop
# Room for the window at this DPI, and the DPI itself, which Wine reads when
# its server starts.
width=$((1024 * dpi / 96))
height=$((768 * dpi / 96))
if ! grep -q "\"LogPixels\"=dword:$(printf %08x "$dpi")" "$WINEPREFIX/user.reg" ||
   ! grep -q "\"Default\"=\"${width}x$height\"" "$WINEPREFIX/user.reg"; then
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${width}x$height" /f >/dev/null 2>&1
    "$WINESERVER" -k
    "$WINESERVER" -w
    use_wine_prefix "dpi$dpi" desktop
fi

TARNWICK_E2E_DPI=$dpi
export TARNWICK_E2E_DPI
"$@"
