#!/usr/bin/env bash
# tests/wine/win32-platform.sh [DRIVER]: checks the Win32 platform layer on Wine. Builds the
# 64-bit Windows probe, runs it in a fresh 64-bit prefix whose 32-bit registry view holds the
# game folder record, and compares what it reads and does in a scratch folder; then builds the
# 32-bit product build and checks that its executables import system DLLs only.
# DRIVER (the script driver other tests take) is not used.
#
# Build folders: OBRINEX_WIN64_BUILD_DIR and OBRINEX_WIN32_BUILD_DIR, else the presets' own
# build-win64/ and build-win32/; an existing build folder is brought up to date, not rebuilt.
# Wine's noise goes to a log that is shown only when something fails.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
probe=obrinex-win32-probe
require_tools cmake i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump

# The lines of the probe's output that start with `prefix` must be exactly `expected`.
expect_lines() {
    local name=$1 prefix=$2 expected=$3
    local actual
    actual=$(grep -E "^($prefix)" "$tmp/probe.out")
    if [[ $actual == "$expected" ]]; then
        pass "$name"
    else
        local -a difference
        mapfile -t difference < <(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | grep '^[<>]')
        fail "$name (< expected, > got)" "${difference[@]}"
    fi
}

say "== 64-bit build ($win64_dir)"
if ! build win64 "$win64_dir" "$probe" obrinex-ini-compare; then
    fail "win64 build of $probe"
elif [[ -z $wine64 || -z $wineserver ]]; then
    fail "Wine is not installed (wine64 and wineserver are needed)"
else
    pass "win64 build of $probe"
    check_imports "win64 $probe" "$win64_dir/bin/$probe.exe" pei-x86-64 x86_64-w64-mingw32-objdump

    new_prefix

    # The record goes into the 32-bit view only; the 64-bit view gets a string under the
    # same name, which a probe reading the wrong view would report as type 1.
    run_wine reg add 'HKLM\Software\Kelvarion\Zarvo' /v idir /t REG_BINARY \
        /d 433a5c47616d65735c5a6172766f5c00 /reg:32 /f >>"$log" 2>&1
    added32=$?
    run_wine reg add 'HKLM\Software\Kelvarion\Zarvo' /v idir /t REG_SZ /d 'D:\Wrong\' /reg:64 /f >>"$log" 2>&1
    added64=$?
    timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1
    if ((added32 == 0 && added64 == 0)) &&
        grep -qi '^\[Software\\\\Wow6432Node\\\\Kelvarion\\\\Zarvo\]' "$WINEPREFIX/system.reg"; then
        pass "registry record written under Wow6432Node"
    else
        fail "reg add (exit codes $added32 and $added64), or no Wow6432Node key in system.reg"
    fi

    # A scratch folder of names chosen for the listing: letter case, "_" (sorted before the
    # letters once they are folded to lower case), accented letters of Windows-1252, a name
    # Windows-1252 cannot spell, and dot names, which Wine shows as hidden.
    scratch=$tmp/scratch
    mkdir -p "$scratch/Zdir" "$scratch/adir" "$scratch/.hdir"
    for name in B.txt a.TXT _u.txt café.txt Été.txt éa.txt ж.txt .hidden; do
        printf 'x' >"$scratch/$name"
    done
    folder="Z:${scratch//\//\\}\\"

    say "== probe"
    run_wine "$win64_dir/bin/$probe.exe" "$folder" >"$tmp/probe.raw" 2>>"$log"
    status=$?
    tr -d '\r' <"$tmp/probe.raw" >"$tmp/probe.out"
    if ((status == 0)); then
        pass "probe ran"
    else
        fail "probe exited with status $status" "$(head -c 2000 "$tmp/probe.out")"
    fi

    expect_lines "executable path" 'executable ' "executable $probe.exe"

    expect_lines "registry: 32-bit view, Read access, REG_BINARY bytes unchanged" 'registry ' "$(
        cat <<'EOF'
registry open 1
registry type 3
registry size 16
registry data 433a5c47616d65735c5a6172766f5c00
registry short-read none
registry missing-value none
registry all-access 1
registry missing-key none
EOF
    )"

    expect_lines "file and folder tests" 'folder is-|sub is-|w\.bin is-' "$(
        cat <<'EOF'
folder is-file 0 is-folder 1
sub is-file 0 is-folder 1
w.bin is-file 1 is-folder 0 with-slash 0
sub is-folder 1
EOF
    )"

    expect_lines "createDirectory codes" 'mkdir ' "$(
        cat <<'EOF'
mkdir sub 0
mkdir sub-again 183
mkdir missing-parent 3
EOF
    )"

    expect_lines "writeFile, copyFile and readFile" 'write |copy |read ' "$(
        cat <<'EOF'
write w.bin 0
read w.bin 0 6f6e65000d0aff
copy new 0
read sub\c.bin 0 6f6e65000d0aff
write w.bin 0
copy over 0
read sub\c.bin 0 7365636f6e64
write empty 0
read sub\e.bin 0 (empty)
write missing-folder 3
copy missing-source 2
copy missing-folder 3
copy onto-folder 5
write onto-folder 5
read folder 5
read missing 2
read nul-path 123
copy self 0
read w.bin 0 7365636f6e64
EOF
    )"

    # Whether the probe's own hidden file is hidden depends on the volume keeping the
    # attribute (Wine stores it in an extended attribute).
    hidden_line=$(grep -E '^hidden\.bin ' "$tmp/probe.out")
    hidden_entry=
    if [[ $hidden_line == "hidden.bin hidden 1 is-file 1" ]]; then
        files_count=7
    elif [[ $hidden_line == "hidden.bin hidden 0 is-file 1" ]]; then
        say "note: this volume does not keep the hidden attribute; hidden.bin is listed"
        files_count=8
        hidden_entry=$'\nfiles hidden.bin'
    else
        fail "hidden file" "${hidden_line:-no hidden.bin line}"
        files_count=7
    fi

    # The temporary files of the copies and writes must all be gone, so none is listed.
    expect_lines "listFiles: ordinary, visible, Windows-1252 names, case-blind order" \
        'files |list ' "files $files_count
files _u.txt
files a.TXT
files B.txt
files caf\\xe9.txt${hidden_entry}
files w.bin
files \\xe9a.txt
files \\xc9t\\xe9.txt
list without-slash same 1"

    expect_lines "listDirectories and the listings of a sub-folder and a missing folder" \
        'folders |sub-files |missing-files ' "$(
            cat <<'EOF'
folders 3
folders adir
folders sub
folders Zdir
sub-files 2
sub-files c.bin
sub-files e.bin
missing-files 0
EOF
        )"

    if ((failed > 0)); then
        say "---- probe output ----"
        cat "$tmp/probe.out"
    fi

    say "== the readme's INI reader against the system's profile reader"
    mkdir -p "$tmp/ini"
    cp "$repo/tests/data/ini/readme-cases.ini" "$repo/tests/data/ini/readme-cases.queries" "$tmp/ini/"
    ini_folder="Z:${tmp//\//\\}\\ini\\"
    if run_wine "$win64_dir/bin/obrinex-ini-compare.exe" "${ini_folder}readme-cases.ini" \
        "${ini_folder}readme-cases.queries" >"$tmp/ini.raw" 2>>"$log"; then
        pass "$(grep -c '^same ' "$tmp/ini.raw") readme cases read alike"
    else
        fail "the two INI readers differ" "$(tr -d '\r' <"$tmp/ini.raw" | grep -v '^same ')"
    fi
fi

# --- the 32-bit product build ---------------------------------------------------------

say "== 32-bit build ($win32_dir)"
if build win32 "$win32_dir" "$probe" obrinex-ini-compare; then
    pass "win32 build of $probe"
    check_imports "win32 $probe" "$win32_dir/bin/$probe.exe" pei-i386 i686-w64-mingw32-objdump
else
    fail "win32 build of $probe"
fi

say "$passed passed, $failed failed"
((failed == 0))
