#!/usr/bin/env bash
# tests/wine/gui-smoke.sh: runs Obrinex.exe under Wine on a virtual X display, as a player on
# Linux would. Builds the 64-bit Windows preset, copies the demo package with the executable
# inside it to a scratch folder, starts the program in a fresh 64-bit prefix, and checks what
# the window shows: its client size, the side strip's greys, the package's picture, that
# "weiter" leads to the next page, and that the window's close key ends the program. Once at
# 96 dots per inch and once at 144 (150 %). Then builds the 32-bit product and checks that it
# imports system DLLs only.
#
# Build folders: OBRINEX_WIN64_BUILD_DIR and OBRINEX_WIN32_BUILD_DIR, else the presets' own
# build-win64/ and build-win32/. Screenshots go to OBRINEX_GUI_SHOTS when set (and are kept),
# else to a scratch folder removed at exit. Exit status 77 (skipped) when Xvfb, xdotool or
# ImageMagick is missing.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
title="Obrinex v1.3a by Kemlo"
shots=${OBRINEX_GUI_SHOTS:-$tmp/shots}
mkdir -p "$shots"
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

require_tools cmake i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump

if [[ -z $wine64 || -z $wineserver ]]; then
    fail "Wine is not installed (wine64 and wineserver are needed)"
    say "$passed passed, $failed failed"
    exit 1
fi

# --- helpers ----------------------------------------------------------------------------

# A design length at the run's density, rounded as MulDiv rounds.
scaled() { echo $((($1 * dpi + 48) / 96)); }

# "R G B" of the screenshot's pixel at client position (x, y).
pixel() {
    local shot=$1 x=$(($2 + win_x)) y=$(($3 + win_y))
    "$convert" "$shot" -format "%[fx:int(255*p{$x,$y}.r+0.5)] %[fx:int(255*p{$x,$y}.g+0.5)] %[fx:int(255*p{$x,$y}.b+0.5)]" info: 2>>"$log"
}

# "R G B" of the colour that most pixels of a client rectangle (x, y, width, height) have.
main_colour() {
    local shot=$1 x=$(($2 + win_x)) y=$(($3 + win_y)) w=$4 h=$5
    "$convert" "$shot" -crop "${w}x${h}+${x}+${y}" +repage -format %c histogram:info:- 2>>"$log" |
        sort -rn | head -n 1 | sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

bitmap_pixel() {
    local x=$1 y=$2
    "$convert" "$package/setup.bmp" -format "%[fx:int(255*p{$x,$y}.r+0.5)] %[fx:int(255*p{$x,$y}.g+0.5)] %[fx:int(255*p{$x,$y}.b+0.5)]" info: 2>>"$log"
}

# Two "R G B" triples that differ by at most `tolerance` in each channel.
near() {
    local -a a=($1) b=($2)
    local tolerance=$3 i d
    ((${#a[@]} == 3 && ${#b[@]} == 3)) || return 1
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        ((d < 0)) && d=$((-d))
        ((d <= tolerance)) || return 1
    done
}

expect_pixel() {
    local name=$1 shot=$2 x=$3 y=$4 expected=$5 tolerance=${6:-0}
    local actual
    actual=$(pixel "$shot" "$x" "$y")
    if near "$actual" "$expected" "$tolerance"; then
        pass "$name"
    else
        fail "$name" "client pixel ($x, $y) is ($actual), expected ($expected) within $tolerance"
    fi
}

# Starts the program on the display and waits for its main window: sets win_id, win_x,
# win_y, win_w, win_h (the window's client area, which Wine maps without a frame when no
# window manager runs).
start_program() {
    (cd "$package" && exec "$wine64" "$package/Obrinex.exe") >>"$log" 2>&1 &
    program_pid=$!
    local started
    started=$(date +%s.%N)
    win_id=$(timeout 60 xdotool search --sync --name "^$title\$" 2>>"$log" | head -n 1)
    if [[ -z $win_id ]]; then
        fail "the window \"$title\" appears (dpi $dpi)"
        return 1
    fi
    sleep 1 # let the first paint finish
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$win_id" 2>>"$log" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
    win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
    pass "the window \"$title\" appears after $(seconds_since "$started")s (dpi $dpi)"
}

click_client() {
    xdotool mousemove $((win_x + $1)) $((win_y + $2)) >>"$log" 2>&1
    sleep 0.3
    xdotool click 1 >>"$log" 2>&1
    sleep 1
}

screenshot() {
    import -window root "$shots/$1.png" 2>>"$log"
    printf '%s\n' "$shots/$1.png"
}

# Alt+F4 reaches the focused window as its close box does; the program must end by itself.
close_program() {
    click_client "$(scaled 480)" "$(scaled 40)" # an empty spot of the page, for the focus
    xdotool key alt+F4 >>"$log" 2>&1
    local waited=0
    while kill -0 "$program_pid" 2>/dev/null && ((waited < 30)); do
        sleep 0.5
        waited=$((waited + 1))
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "Alt+F4 ends the program (dpi $dpi)"
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    else
        wait "$program_pid"
        local status=$?
        if ((status == 0)); then
            pass "Alt+F4 ends the program (dpi $dpi)"
        else
            fail "Alt+F4 ends the program (dpi $dpi)" "exit status $status"
        fi
    fi
    program_pid=
}

# One run of the program at the prefix's screen density.
check_run() {
    start_program || return
    local first second
    first=$(screenshot "sprache-$dpi")

    local want_w want_h
    want_w=$(scaled 514) want_h=$(scaled 340)
    if ((win_w == want_w && win_h == want_h)); then
        pass "client area ${win_w} × ${win_h} (dpi $dpi)"
    else
        fail "client area (dpi $dpi)" "got ${win_w} × ${win_h}, expected ${want_w} × ${want_h}"
    fi

    # The strip shows below the picture; each design column is scaled to its own pixels.
    local row
    row=$(scaled 330)
    expect_pixel "strip column 0 is white (dpi $dpi)" "$first" 0 "$row" "255 255 255"
    expect_pixel "strip column 80 is grey 223 (dpi $dpi)" "$first" "$(scaled 80)" "$row" "223 223 223"
    expect_pixel "strip column 159 is grey 192 (dpi $dpi)" "$first" "$(scaled 159)" "$row" "192 192 192"

    # The picture at its own size at 96 dots per inch, scaled by the density otherwise.
    local tolerance=0
    ((dpi != 96)) && tolerance=12
    expect_pixel "picture's top-left pixel (dpi $dpi)" "$first" 1 1 "$(bitmap_pixel 1 1)" "$tolerance"
    expect_pixel "picture's pixel (100, 200) (dpi $dpi)" "$first" "$(scaled 100)" "$(scaled 200)" \
        "$(bitmap_pixel 100 200)" "$tolerance"

    # "weiter" (Button2, on the page at 128, 312, 89 × 25; pages start at 164, 0) opens the
    # introduction, whose readme memo is white where the language page shows the button face.
    local memo=("$(scaled 200)" "$(scaled 240)" "$(scaled 100)" "$(scaled 50)")
    local before after
    before=$(main_colour "$first" "${memo[@]}")
    click_client "$(scaled $((164 + 128 + 44)))" "$(scaled $((312 + 12)))"
    second=$(screenshot "einleitung-$dpi")
    after=$(main_colour "$second" "${memo[@]}")
    local differing
    differing=$("$convert" "$first" "$second" -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage \
        -compose difference -composite -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info: 2>>"$log")
    if [[ $after == "255 255 255" && $before != "$after" && ${differing:-0} -gt 1000 ]]; then
        pass "\"weiter\" opens the next page ($differing pixels changed, dpi $dpi)"
    else
        fail "\"weiter\" opens the next page (dpi $dpi)" \
            "memo area's main colour before ($before), after ($after); ${differing:-?} pixels changed"
    fi

    close_program
}

# --- the 64-bit build under Wine ----------------------------------------------------------

say "== 64-bit build ($win64_dir)"
started=$(date +%s.%N)
if ! build win64 "$win64_dir" Obrinex; then
    fail "win64 build of Obrinex"
    say "$passed passed, $failed failed"
    exit 1
fi
pass "win64 build of Obrinex in $(seconds_since "$started")s"
check_imports "win64 Obrinex.exe" "$win64_dir/bin/Obrinex.exe" pei-x86-64 x86_64-w64-mingw32-objdump

package=$tmp/package
cp -r "$repo/examples/package" "$package"
cp "$win64_dir/bin/Obrinex.exe" "$package/"

new_prefix

start_display
pass "Xvfb on display $DISPLAY"

say "== 96 dots per inch"
dpi=96
check_run

say "== 144 dots per inch"
dpi=144
timeout "$wine_timeout" "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
    >>"$log" 2>&1
timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1
check_run

# --- the 32-bit product build -------------------------------------------------------------

say "== 32-bit build ($win32_dir)"
started=$(date +%s.%N)
if build win32 "$win32_dir" Obrinex; then
    pass "win32 build of Obrinex in $(seconds_since "$started")s"
    check_imports "win32 Obrinex.exe" "$win32_dir/bin/Obrinex.exe" pei-i386 i686-w64-mingw32-objdump
else
    fail "win32 build of Obrinex"
fi

if [[ -n ${OBRINEX_GUI_SHOTS:-} ]]; then
    say "screenshots in $shots"
fi
say "$passed passed, $failed failed"
((failed == 0))
