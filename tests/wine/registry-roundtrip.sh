#!/bin/sh
# Writes the game's folder into a fresh 64-bit Wine prefix the way the game's own installer does
# (32-bit view, REG_BINARY), shows how Wine saved it in system.reg, and, given the driver, checks
# that the wizard reads it back from that prefix.
#
# Usage: tests/wine/registry-roundtrip.sh [DRIVER [EXE]]
#   DRIVER  obrinex-script; without it only the system.reg section is printed.
#   EXE     the wizard's executable path for the driver's "exe" line (default: a file in an
#           empty temporary package folder).
# Exit status: 0 passed, 1 failed, 77 skipped (Wine is not installed).

set -eu

driver=${1:-}
exe=${2:-}
folder='C:\Games\Zarvo\'

for tool in wine wineboot wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool not found" >&2
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/obrinex-wine-XXXXXX")
WINEPREFIX="$work/prefix"
WINEARCH=win64
WINEDEBUG=-all
# Without Mono and Gecko the prefix is made in a minute and asks nothing.
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

wineboot -i >"$work/wineboot.log" 2>&1 || {
    cat "$work/wineboot.log" >&2
    echo "failed: wineboot" >&2
    exit 1
}

# The folder's bytes with one closing NUL, as the game's installer stores it.
hex=$(printf '%s' "$folder" | od -An -v -tx1 | tr -d ' \n')00
wine reg add 'HKLM\Software\Kelvarion\Zarvo' /v idir /t REG_BINARY /d "$hex" /reg:32 /f >/dev/null
# system.reg is written when the server ends.
wineserver -w

echo "== $WINEPREFIX/system.reg"
sed -n '1,4p' "$WINEPREFIX/system.reg"
echo "..."
awk '/^\[Software\\\\Wow6432Node\\\\Kelvarion\\\\Zarvo\]/ { show = 1 }
     show && /^$/ { exit }
     show { print }' "$WINEPREFIX/system.reg"
echo "== dosdevices"
ls -l "$WINEPREFIX/dosdevices" | sed 1d

if [ -z "$driver" ]; then
    exit 0
fi

if [ -z "$exe" ]; then
    mkdir "$work/package"
    exe="$work/package/Setup.exe"
    : >"$exe"
    printf 'Racer, Ann, a\r\ncar.4ds\r\n\r\n' >"$work/package/setup.ini"
fi
# The game's first model of row 1 on the prefix's drive C:, which only the prefix's
# dosdevices make reachable.
mkdir -p "$WINEPREFIX/drive_c/Games/Zarvo/models"
: >"$WINEPREFIX/drive_c/Games/Zarvo/models/fordtco00.4ds"

printf 'exe %s\nregistry wineprefix %s\nstart\nget Edit1.Text\nclick Button2\nclick Button5\nselect ComboBox1 1\nget RadioButton4.Enabled\n' \
    "$exe" "$WINEPREFIX" >"$work/script"
output=$("$driver" "$work/script") || {
    echo "failed: the driver ended with status $?" >&2
    exit 1
}
echo "== driver"
printf '%s\n' "$output"

# The JSON form of the folder has every backslash doubled.
if printf '%s\n' "$output" | grep -F '"Edit1.Text"' | grep -qE '"value": *"C:\\\\Games\\\\Zarvo\\\\"'; then
    echo "passed: the folder read from the prefix"
else
    echo "failed: Edit1.Text is not $folder" >&2
    exit 1
fi
if printf '%s\n' "$output" | grep -F '"RadioButton4.Enabled"' | grep -q 'true'; then
    echo "passed: the folder found through the prefix's drive C:"
else
    echo "failed: the game's model on the prefix's drive C: was not found" >&2
    exit 1
fi
