# The plumbing the Windows-side tests share: counting results, a log shown only on failure,
# finding Wine, building a Windows preset, checking an executable's imports and making a
# fresh 64-bit prefix. Sourced, not run. A test may define `cleanup` for its own processes;
# it runs before Wine's server is stopped and the scratch folder removed.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
win64_dir=${OBRINEX_WIN64_BUILD_DIR:-$repo/build-win64}
win32_dir=${OBRINEX_WIN32_BUILD_DIR:-$repo/build-win32}
wine_timeout=${OBRINEX_WINE_TIMEOUT:-300}

tmp=$(mktemp -d)
log=$tmp/log
: >"$log"
passed=0
failed=0
show_log=0
prefix_started=0

say() { printf '%s\n' "$*"; }

pass() {
    passed=$((passed + 1))
    say "ok   $1"
}

fail() {
    failed=$((failed + 1))
    show_log=1
    say "FAIL $1"
    shift
    local line
    for line in "$@"; do
        say "     $line"
    done
}

finish() {
    if declare -F cleanup >/dev/null; then
        cleanup
    fi
    if ((prefix_started)); then
        "$wineserver" -k >/dev/null 2>&1
        "$wineserver" -w >/dev/null 2>&1
    fi
    if ((show_log)) && [[ -s $log ]]; then
        say "---- log (last 60 lines of $(wc -l <"$log")) ----"
        tail -n 60 "$log"
        say "---- end of log ----"
    fi
    rm -rf "$tmp"
}
trap finish EXIT

seconds_since() {
    awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'
}

# Ends the test at once when a tool is missing.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            fail "$tool is not installed"
            say "$passed passed, $failed failed"
            exit 1
        fi
    done
}

# wine64 and wineserver, or empty when Wine is not installed.
wine64=
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [[ -n $candidate && -x $candidate ]]; then
        wine64=$candidate
        break
    fi
done
wineserver=
for candidate in "$(command -v wineserver || true)" /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
    if [[ -n $candidate && -x $candidate ]]; then
        wineserver=$candidate
        break
    fi
done

run_wine() {
    timeout "$wine_timeout" "$wine64" "$@"
}

# build PRESET DIR TARGET...: configures the folder with its preset (quick when it exists,
# and it picks up targets added since) and builds the targets.
build() {
    local preset=$1 dir=$2
    shift 2
    cmake --preset "$preset" -B "$dir" -S "$repo" >>"$log" 2>&1 || return 1
    cmake --build "$dir" --target "$@" --parallel "$(nproc)" >>"$log" 2>&1
}

# check_imports NAME EXE FORMAT OBJDUMP: an executable of the right machine that imports
# nothing beyond the system's own DLLs, so it runs with nothing beside it.
check_imports() {
    local name=$1 exe=$2 format=$3 objdump=$4
    if [[ ! -f $exe ]]; then
        fail "$name: $exe was not built"
        return
    fi
    local dump
    if ! dump=$("$objdump" -p "$exe" 2>>"$log"); then
        fail "$name: objdump cannot read $exe"
        return
    fi
    local -a dlls bad=()
    mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$dump" | tr -d '\r')
    local dll
    for dll in "${dlls[@]}"; do
        case ${dll,,} in
        kernel32.dll | advapi32.dll | shell32.dll | user32.dll | gdi32.dll | comctl32.dll | ole32.dll | \
            msvcrt.dll | api-ms-win-*.dll) ;;
        *) bad+=("$dll") ;;
        esac
    done
    if ! grep -q "file format $format" <<<"$dump"; then
        fail "$name: not a $format executable" "$(grep -m1 'file format' <<<"$dump")"
    elif ((${#dlls[@]} == 0)); then
        fail "$name: no imports found in $exe"
    elif ((${#bad[@]} > 0)); then
        fail "$name: imports DLLs that are not part of Windows" "${bad[@]}"
    else
        pass "$name: $format, $(stat -c %s "$exe") bytes, imports ${dlls[*]}"
    fi
}

# Makes a fresh 64-bit prefix in the scratch folder and points Wine at it.
new_prefix() {
    export WINEPREFIX=$tmp/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Started directly, the loader must know itself for the processes it starts.
    [[ $wine64 == */wine64 ]] && export WINELOADER=$wine64
    unset DISPLAY WAYLAND_DISPLAY
    say "== Wine prefix"
    local started
    started=$(date +%s.%N)
    prefix_started=1
    run_wine wineboot -i >>"$log" 2>&1
    timeout "$wine_timeout" "$wineserver" -w >>"$log" 2>&1
    if [[ -f $WINEPREFIX/system.reg && -e $WINEPREFIX/dosdevices/z: ]]; then
        pass "fresh 64-bit prefix created in $(seconds_since "$started")s"
    else
        fail "prefix creation (wineboot -i, $(seconds_since "$started")s)"
        return 1
    fi
}
