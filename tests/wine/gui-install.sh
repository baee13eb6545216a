#!/usr/bin/env bash
# tests/wine/gui-install.sh DRIVER: a whole installation through the real window of
# Obrinex.exe under wine64 on a virtual X display, driven by the keyboard alone, at 96 and at
# 144 dots per inch.
#
# One fresh 64-bit prefix whose registry names a copy of the demo game folder (written with
# `wine reg add ... /reg:32`, as the game's 32-bit installer leaves it); the 64-bit exe in a copy
# of the demo package. The program writes its layout report (OBRINEX_LAYOUT_REPORT) and the test
# reads from it the active page, the focused control, the fields' texts and every label's
# rectangle against the ink of its caption. Runs:
#
#   install   English, next, next, the game folder from the registry, a car chosen in the
#             drop-down with the arrow keys, a look at the multi-selection page (Space marks and
#             unmarks a row), Finish, the page "Advanced" with the sounds checked, Finish, the
#             page "Fertig", exit. The game folder must then equal, file for file and byte for
#             byte, the one that obrinex-script (DRIVER) leaves after the same choices.
#   browser   the folder browser opened with the keyboard, a folder opened in it and confirmed,
#             then opened again and left with Escape; the variant dialog opened by a click on a
#             long car name and closed with Enter.
#   escape    the exit question answered with Escape (No), then with Enter (Yes).
#   fehler    a package without setup.ini: the page "Fehler", whose exit button ends the program.
#
# Along the way: the Tab and Shift+Tab order of each page, the screenshots of every page and
# of both dialogs (in OBRINEX_SCREENSHOTS, default build/screenshots/), and the layout check
# (tests/wine/layout-check.py) over the reports of all runs, in all four languages. Exit status
# 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
driver=${1:-$repo/build/bin/obrinex-script}
title="Obrinex v1.3a by Kemlo"
shots=${OBRINEX_SCREENSHOTS:-$repo/build/screenshots}
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"
require_tools cmake python3
if [[ -z $wine64 || -z $wineserver ]]; then
    fail "Wine is not installed (wine64 and wineserver are needed)"
    say "$passed passed, $failed failed"
    exit 1
fi
if [[ ! -x $driver ]]; then
    fail "the driver $driver is not built"
    say "$passed passed, $failed failed"
    exit 1
fi

# --- helpers --------------------------------------------------------------------------------

# The Windows name of a host path in the prefix (its drive Z: is the host's root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The last block of the run's report: its page, its focus, a field's text.
last_block() { awk '/^page\t/ { block = "" } { block = block $0 "\n" } END { printf "%s", block }' "$report"; }
page_now() { last_block | awk -F'\t' '$1 == "page" { print $2 }'; }
focus_now() { last_block | awk -F'\t' '$1 == "page" { print $4 }'; }
field() { last_block | awk -F'\t' -v form="${1%%.*}" -v name="${1#*.}" '$1 == "field" && $2 == form && $3 == name { print $4 }'; }
checked() { last_block | awk -F'\t' -v name="$1" '$1 == "control" && $3 == name { print $13 }'; }

key() {
    xdotool key "$@" >>"$log" 2>&1
    sleep 0.5
}

# wait_for WHAT EXPECTED COMMAND...: polls COMMAND's output for up to ten seconds.
wait_for() {
    local what=$1 expected=$2 actual=
    shift 2
    for _ in $(seq 40); do
        actual=$("$@")
        [[ $actual == "$expected" ]] && break
        sleep 0.25
    done
    if [[ $actual == "$expected" ]]; then
        pass "$what ($run, dpi $dpi)"
    else
        fail "$what ($run, dpi $dpi)" "expected \"$expected\", found \"$actual\""
    fi
}
expect_page() { wait_for "page \"$1\"" "$1" page_now; }
expect_focus() { wait_for "focus on $1" "$1" focus_now; }

# tab_order KEY NAME...: pressing KEY (Tab or shift+Tab) moves the focus through NAME... in turn.
tab_order() {
    local press=$1 seen=() name
    shift
    for name in "$@"; do
        key "$press"
        seen+=("$(focus_now)")
    done
    local where="page \"$(page_now)\""
    [[ $1 == Form2.* ]] && where="the folder browser"
    if [[ "${seen[*]}" == "$*" ]]; then
        pass "$press on $where: $* ($run, dpi $dpi)"
    else
        fail "$press order on $where ($run, dpi $dpi)" "expected: $*" "found:    ${seen[*]}"
    fi
}

# press_until KEY NAME: presses KEY until NAME has the focus (at most 15 times).
press_until() {
    for _ in $(seq 15); do
        [[ $(focus_now) == "$2" ]] && return 0
        key "$1"
    done
    [[ $(focus_now) == "$2" ]] || fail "$1 reaches $2 ($run, dpi $dpi)" "the focus stays off it: $(focus_now)"
}

# The visible top-level window of this title.
window_of() { xdotool search --onlyvisible --name "^$1\$" 2>>"$log" | head -n 1; }

# shot NAME [TITLE]: a screenshot of the window (the main window unless told).
shot() {
    local name=$1 wanted=${2:-$title} id X Y WIDTH HEIGHT
    sleep 0.4
    id=$(window_of "$wanted")
    if [[ -z $id ]]; then
        fail "screenshot $name-$dpi: no window \"$wanted\""
        return
    fi
    eval "$(xdotool getwindowgeometry --shell "$id" 2>>"$log" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$name-$dpi.png" 2>>"$log"
}

# start_run NAME PACKAGE: starts the exe of PACKAGE with a report of its own and waits for the
# main window; the pointer rests on it, so that the display's keys reach the program.
start_run() {
    run=$1
    local package=$2
    report=$tmp/report-$run-$dpi.txt
    : >"$report"
    (cd "$package" && OBRINEX_LAYOUT_REPORT=$(winpath "$report") exec "$wine64" "$package/Obrinex.exe") \
        >>"$log" 2>&1 &
    program_pid=$!
    win_id=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" 2>>"$log" | head -n 1)
    if [[ -z $win_id ]]; then
        fail "the window appears ($run, dpi $dpi)"
        return 1
    fi
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$win_id" 2>>"$log" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
    xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT / 4)) >>"$log" 2>&1
    for _ in $(seq 40); do
        [[ -n $(page_now) ]] && break
        sleep 0.25
    done
}

# The program ends by itself within ten seconds.
expect_exit() {
    for _ in $(seq 40); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.25
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "$1 ends the program ($run, dpi $dpi)"
        kill "$program_pid" 2>/dev/null
    else
        pass "$1 ends the program ($run, dpi $dpi)"
    fi
    wait "$program_pid" 2>/dev/null
    program_pid=
}

# A fresh copy of the demo game folder, which the prefix's registry names.
reset_game() {
    rm -rf "$game"
    cp -r "$repo/examples/game" "$game"
}

# --- the runs --------------------------------------------------------------------------------

install_run() {
    reset_game
    start_run install "$package" || return
    expect_page Sprache
    expect_focus Form1.RadioButton1
    shot sprache
    # The arrow keys walk the language options, each switch rewriting the texts.
    key Down Down Down
    wait_for "the arrow keys check français" 1 checked RadioButton6
    key Up Up
    wait_for "the arrow keys check english" 1 checked RadioButton2
    tab_order Tab Form1.Button2 Form1.Button1 Form1.RadioButton2
    tab_order shift+Tab Form1.Button1 Form1.Button2 Form1.RadioButton2
    key Tab
    key Return
    expect_page Einleitung
    shot einleitung
    expect_focus Form1.Button5
    tab_order Tab Form1.Button6 Form1.ComboBox7 Form1.Memo1 Form1.Button4 Form1.Button5
    key space
    expect_page Waehlen
    wait_for "the game folder from the registry" "$(winpath "$game")\\" field Form1.Edit1
    expect_focus Form1.Edit1
    # No car is chosen yet, so the backup choice is disabled and the Tab key passes it by.
    tab_order Tab Form1.Button16 Form1.ComboBox1 Form1.BitBtn1 Form1.ComboBox2 Form1.Button7 Form1.Button8 \
        Form1.Button9 Form1.Edit1
    tab_order shift+Tab Form1.Button9 Form1.Button8 Form1.Button7 Form1.ComboBox2 Form1.BitBtn1 \
        Form1.ComboBox1
    # A look at the multi-selection page: Space marks the caret's row and unmarks it again.
    key Tab
    key Return
    expect_page Mehrfachauswahl
    press_until Tab Form1.ListBox2
    key space
    wait_for "Space marks a row of the list" 0 field Form1.ListBox2
    shot mehrfachauswahl
    key space
    wait_for "Space unmarks it" "" field Form1.ListBox2
    tab_order Tab Form1.Button20 Form1.Button21 Form1.ListBox2
    key Tab
    key Return
    expect_page Waehlen
    # The car: the second row of the drop-down.
    press_until shift+Tab Form1.ComboBox1
    key Down Down
    wait_for "the arrow keys choose a car" "$catalogue_row" field Form1.ComboBox1
    shot waehlen
    press_until Tab Form1.Button8
    key Return
    expect_page Advanced
    expect_focus Form1.Button18
    press_until shift+Tab Form1.CheckBox1
    key space
    shot advanced
    press_until Tab Form1.Button18
    key Return
    expect_page Fertig
    expect_focus Form1.Button12
    shot fertig
    key Return
    expect_exit "Enter on the exit button of \"Fertig\""
    # What the window wrote, against what the driver writes for the same choices.
    if diff -r "$expected_game" "$game" >"$tmp/diff" 2>&1; then
        pass "the game folder holds exactly the files and bytes the driver writes ($dpi dpi)"
    else
        fail "the game folder differs from the driver's ($dpi dpi)" "$(head -n 8 "$tmp/diff")"
    fi
    if [[ -f $game/carchanger/cars/carlist.sav ]] &&
        cmp -s "$game/carchanger/cars/carlist.sav" "$expected_game/carchanger/cars/carlist.sav"; then
        pass "carchanger\\cars\\carlist.sav as expected ($(stat -c %s "$game/carchanger/cars/carlist.sav") bytes, $dpi dpi)"
    else
        fail "carchanger\\cars\\carlist.sav missing or different ($dpi dpi)"
    fi
}

browser_run() {
    reset_game
    start_run browser "$long_package" || return
    key Tab
    key Return
    expect_page Einleitung
    # The variant dialog: a click on the part of the long car name right of the variant box.
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$win_id" 2>>"$log" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
    local name=()
    read -r -a name < <(last_block | awk -F'\t' '$1 == "control" && $3 == "Label6" { print $9, int(($8 + $10) / 2) }')
    xdotool mousemove $((X + name[0] - 3)) $((Y + name[1])) click 1 >>"$log" 2>&1
    sleep 1
    wait_for "a click on the car name opens the variant dialog" 1 bash -c "xdotool search --onlyvisible --name '^Choose Car\$' | wc -l"
    shot form3 "Choose Car"
    key Tab
    key Return
    wait_for "its OK closes it" 0 bash -c "xdotool search --onlyvisible --name '^Choose Car\$' | wc -l"
    xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT / 4)) >>"$log" 2>&1
    press_until Tab Form1.Button5
    key Return
    expect_page Waehlen
    press_until Tab Form1.Button16
    key space
    wait_for "Space on \"browse\" opens the folder browser" 1 bash -c "xdotool search --onlyvisible --name '^Search Folder\$' | wc -l"
    wait_for "the folder browser starts at C:\\" 'C:\' field Form2.Edit1
    expect_focus Form2.DirectoryListBox1
    # Down to the first folder below C:\ and Enter opens it.
    key Down
    key Return
    local opened
    opened=$(field Form2.Edit1)
    if [[ $opened == C:\\?* && $opened != *\\ ]]; then
        pass "Enter opens a folder: $opened ($run, dpi $dpi)"
    else
        fail "Enter opens a folder ($run, dpi $dpi)" "the browser shows \"$opened\""
    fi
    shot form2 "Search Folder"
    tab_order Tab Form2.DriveComboBox1 Form2.Button1
    key Return
    wait_for "OK confirms the folder" "$opened\\" field Form1.Edit1
    wait_for "and closes the browser" 0 bash -c "xdotool search --onlyvisible --name '^Search Folder\$' | wc -l"
    shot waehlen-deutsch
    # Escape closes the browser as its close box does, and writes nothing.
    expect_focus Form1.Button16
    key space
    wait_for "the folder browser again" 1 bash -c "xdotool search --onlyvisible --name '^Search Folder\$' | wc -l"
    key Escape
    wait_for "Escape closes the folder browser" 0 bash -c "xdotool search --onlyvisible --name '^Search Folder\$' | wc -l"
    wait_for "and leaves the game folder as it was" "$opened\\" field Form1.Edit1
    press_until Tab Form1.Button9
    key Return
    wait_for "the exit question" 1 bash -c "xdotool search --onlyvisible --name '^Warning\$' | wc -l"
    shot warning Warning
    key Return
    expect_exit "Yes (Enter) to the exit question"
}

escape_run() {
    start_run escape "$package" || return
    press_until Tab Form1.Button1
    key Return
    wait_for "the exit question" 1 bash -c "xdotool search --onlyvisible --name '^Warning\$' | wc -l"
    key Escape
    wait_for "Escape answers No" 0 bash -c "xdotool search --onlyvisible --name '^Warning\$' | wc -l"
    if kill -0 "$program_pid" 2>/dev/null && [[ $(page_now) == Sprache ]]; then
        pass "after No the program goes on, on \"Sprache\" (dpi $dpi)"
    else
        fail "after No the program goes on (dpi $dpi)"
    fi
    expect_focus Form1.Button1
    key Return
    wait_for "the exit question again" 1 bash -c "xdotool search --onlyvisible --name '^Warning\$' | wc -l"
    key Return
    expect_exit "Yes to the exit question"
}

fehler_run() {
    start_run fehler "$broken_package" || return
    expect_page Fehler
    shot fehler
    expect_focus Form1.Button15
    key Return
    expect_exit "Enter on the exit button of \"Fehler\""
}

# --- set-up ---------------------------------------------------------------------------------

say "== 64-bit build ($win64_dir)"
started=$(date +%s.%N)
if ! build win64 "$win64_dir" Obrinex; then
    fail "win64 build of Obrinex"
    say "$passed passed, $failed failed"
    exit 1
fi
pass "win64 build of Obrinex in $(seconds_since "$started")s"

mkdir -p "$shots"
package=$tmp/package
game=$tmp/game
cp -r "$repo/examples/package" "$package"
cp "$win64_dir/bin/Obrinex.exe" "$package/"
long_package=$tmp/long-name
cp -r "$package" "$long_package"
# A car name long enough to reach past the variant box, where a click reaches the name.
{
    printf 'Bolt Roadster Deluxe Grand Touring Edition with Chrome Grille, Kemlo, kemlo@example.org\r\n'
    tail -n +2 "$package/setup.ini"
} >"$long_package/setup.ini"
broken_package=$tmp/no-descriptor
cp -r "$package" "$broken_package"
rm "$broken_package/setup.ini"

# The expected game folder: the same choices through the headless driver, on copies of its own.
expected_root=$tmp/expected
mkdir -p "$expected_root"
cp -r "$repo/examples/package" "$expected_root/package"
expected_game=$expected_root/game
cp -r "$repo/examples/game" "$expected_game"
cat >"$tmp/install.script" <<EOF
exe $expected_root/package/Obrinex.exe
drive z /
registry binary $(printf '%s' "$(winpath "$expected_game")\\" | od -An -v -tx1 | tr -d ' \n')00
start
click RadioButton2
click Button2
click Button5
click BitBtn1
toggle ListBox2 0
toggle ListBox2 0
click Button20
select ComboBox1 0
select ComboBox1 1
get ComboBox1.Text
click Button8
click CheckBox1
click Button18
get page
click Button12
EOF
"$driver" "$tmp/install.script" >"$tmp/install.out" 2>>"$log"
catalogue_row=$(python3 -c 'import json,sys; print([json.loads(l)["value"] for l in open(sys.argv[1]) if "ComboBox1.Text" in l][0])' "$tmp/install.out" 2>>"$log")
if grep -q '"value": "Fertig"' "$tmp/install.out" && [[ -f $expected_game/carchanger/cars/carlist.sav ]]; then
    pass "the driver installs the same choices (car \"$catalogue_row\")"
else
    fail "the driver installs the same choices" "$(cat "$tmp/install.out")"
fi
# The driver's game folder differs from the window's only in where it lies, which no file names.

new_prefix || exit 1
game_hex=$(printf '%s' "$(winpath "$game")\\" | od -An -v -tx1 | tr -d ' \n')00
run_wine reg add 'HKLM\Software\Kelvarion\Zarvo' /v idir /t REG_BINARY /d "$game_hex" /reg:32 /f >>"$log" 2>&1
timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1

start_display

for dpi in 96 144; do
    say "== $dpi dots per inch"
    run_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$log" 2>&1
    timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1
    started=$(date +%s.%N)
    install_run
    browser_run
    [[ $dpi == 96 ]] && escape_run
    fehler_run
    say "   ($dpi dots per inch: $(seconds_since "$started")s)"
done

say "== every text whole"
if python3 "$repo/tests/wine/layout-check.py" "$tmp"/report-*.txt --languages deutsch,english,cesky,francais \
    >"$tmp/layout" 2>&1; then
    pass "layout check: $(tail -n 1 "$tmp/layout")"
else
    fail "layout check" "$(cat "$tmp/layout")"
fi

say "screenshots in $shots: $(cd "$shots" && ls | tr '\n' ' ')"
say "$passed passed, $failed failed"
((failed == 0))
