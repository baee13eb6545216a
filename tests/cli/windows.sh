#!/usr/bin/env bash
# tests/cli/windows.sh [OBRINEX]: obrinex.exe, the command line for Windows. Builds it with both
# Windows presets and checks that each is a console program importing only system DLLs; then,
# in a fresh 64-bit Wine prefix whose 32-bit registry view holds the game's record, checks that
# obrinex.exe finds the folder in the registry and uses it when --game is left out (cars,
# log, inspect, an installation and its restore), and that
# OBRINEX (the native build, default build/bin/obrinex) finds the same record in that prefix.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../wine/common.sh"
native=$(realpath "${1:-$repo/build/bin/obrinex}")
require_tools cmake i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump python3

# A console program: subsystem 3 in the PE header (2 is a window program).
check_console() {
    local name=$1 exe=$2 objdump=$3
    local dump
    dump=$("$objdump" -p "$exe" 2>>"$log")
    if grep -Eq '^Subsystem[[:space:]]+0*3[[:space:]]' <<<"$dump"; then
        pass "$name: a console program"
    else
        fail "$name: not a console program" "$(grep -m1 '^Subsystem' <<<"$dump")"
    fi
}

for width in win32 win64; do
    dir=$win64_dir format=pei-x86-64 objdump=x86_64-w64-mingw32-objdump
    if [[ $width == win32 ]]; then
        dir=$win32_dir format=pei-i386 objdump=i686-w64-mingw32-objdump
    fi
    say "== $width build ($dir)"
    if build "$width" "$dir" obrinex-cli; then
        check_imports "$width obrinex.exe" "$dir/bin/obrinex.exe" "$format" "$objdump"
        check_console "$width obrinex.exe" "$dir/bin/obrinex.exe" "$objdump"
    else
        fail "$width build of obrinex.exe"
    fi
done

# The field of the one game of a `games --json` output, or "none".
game_field() {
    python3 -c 'import json, sys
games = json.loads(sys.stdin.read())["games"]
print(games[0][sys.argv[1]] if len(games) == 1 else "none")' "$1"
}

exe=$win64_dir/bin/obrinex.exe
if [[ -z $wine64 || -z $wineserver ]]; then
    fail "Wine is not installed (wine64 and wineserver are needed)"
elif [[ -f $exe ]] && new_prefix; then
    run_wine reg add 'HKLM\Software\Kelvarion\Zarvo' /v idir /t REG_BINARY \
        /d 433a5c47616d65735c5a6172766f5c00 /reg:32 /f >>"$log" 2>&1
    timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1
    mkdir -p "$WINEPREFIX/drive_c/Games/Zarvo"

    out=$(run_wine "$exe" games --json 2>>"$log" | tr -d '\r')
    if [[ $(game_field record <<<"$out") == 'C:\Games\Zarvo\' && $(game_field exists <<<"$out") == True ]]; then
        pass "obrinex.exe games: the record of the 32-bit registry view"
    else
        fail "obrinex.exe games --json" "$out"
    fi
    out=$(run_wine "$exe" log --json 2>>"$log" | tr -d '\r')
    if [[ $out == '{"rows": []}' ]]; then
        pass "obrinex.exe log without --game uses the registry's folder"
    else
        fail "obrinex.exe log --json" "$out"
    fi
    out=$(run_wine "$exe" inspect "Z:$repo/examples/package" 2>>"$log" | tr -d '\r')
    if grep -q 'The package can be installed.' <<<"$out"; then
        pass "obrinex.exe inspect of the demo package"
    else
        fail "obrinex.exe inspect" "$out"
    fi

    out=$(run_wine "$exe" cars --json 2>>"$log" | tr -d '\r')
    if [[ $(python3 -c 'import json, sys; print(len(json.loads(sys.stdin.read())["cars"]))' <<<"$out" 2>>"$log") == 208 ]]; then
        pass "obrinex.exe cars --json: the 208 rows"
    else
        fail "obrinex.exe cars --json" "${out:0:200}"
    fi

    # One installation into the prefix's game folder, found through the registry, and back.
    game=$WINEPREFIX/drive_c/Games/Zarvo
    cp -r "$repo/examples/game/." "$game/"
    out=$(run_wine "$exe" install "Z:$repo/examples/package" --car 5 --sounds --json 2>>"$log" | tr -d '\r')
    if [[ $(python3 -c 'import json, sys; print(json.loads(sys.stdin.read())["done"])' <<<"$out" 2>>"$log") == True ]] &&
        cmp -s "$repo/examples/package/models/roadster.4ds" "$game/models/fordtco04.4ds" &&
        cmp -s "$repo/examples/package/sounds/horn.wav" "$game/sounds/horn11.wav" &&
        [[ -f $game/carchanger/cars/carlist.sav && -f $game/carchanger/obrinex/ledger.txt ]]; then
        pass "obrinex.exe install into the registry's game folder"
    else
        fail "obrinex.exe install" "${out:0:300}"
    fi
    out=$(run_wine "$exe" restore --all --json 2>>"$log" | tr -d '\r')
    if diff -r -x carchanger "$repo/examples/game" "$game" >>"$log" 2>&1; then
        pass "obrinex.exe restore --all: the game folder as it was"
    else
        fail "obrinex.exe restore --all" "${out:0:300}"
    fi

    if [[ -x $native ]]; then
        out=$(HOME=$tmp/home "$native" games --json 2>>"$log")
        if [[ $(game_field folder <<<"$out") == "$(realpath "$WINEPREFIX")/drive_c/Games/Zarvo/" ]]; then
            pass "the native obrinex finds the same record in the prefix Wine wrote"
        else
            fail "native obrinex games --json in the Wine prefix" "$out"
        fi
    else
        fail "no native obrinex at $native"
    fi
fi

say "$passed passed, $failed failed"
((failed == 0))
