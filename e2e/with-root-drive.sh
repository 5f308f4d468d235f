#!/bin/sh
# Runs a command with a free drive letter of the Wine prefix mapped to a new,
# empty folder (a link in $WINEPREFIX/dosdevices), and tells the command the
# drive in TARNWICK_E2E_ROOT_DRIVE ("T:"). A program copied there runs from
# the root of a drive. The link and the folder go when the command ends.
#   with-root-drive.sh COMMAND [ARGUMENT...]
set -eu
devices="${WINEPREFIX:?WINEPREFIX names no Wine prefix}/dosdevices"
folder=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-root-drive.XXXXXX")
link=""
cleanup() {
    if [ -n "$link" ]; then
        rm -f "$link"
    fi
    rm -rf "$folder"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for letter in t u v w x y r s q p; do
    if [ ! -e "$devices/$letter:" ] && [ ! -L "$devices/$letter:" ]; then
        link="$devices/$letter:"
        break
    fi
done
if [ -z "$link" ]; then
    echo "no free drive letter in $devices" >&2
    exit 1
fi
ln -s "$folder" "$link"

TARNWICK_E2E_ROOT_DRIVE="$(echo "$letter" | tr '[:lower:]' '[:upper:]'):"
export TARNWICK_E2E_ROOT_DRIVE
status=0
"$@" || status=$?
exit "$status"
