# The virtual X display of the window tests (gui-smoke.sh, gui-install.sh), sourced after
# common.sh: the tools they need (exit 77, skipped, without them), ImageMagick's convert, the
# cleanup of the program and the display, and start_display. Sourced, not run.

xvfb_pid=
program_pid=

cleanup() {
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v import >/dev/null || missing+=(imagemagick)
if ((${#missing[@]} > 0)); then
    say "skipped: the Debian packages ${missing[*]} are needed (apt-get install ${missing[*]})"
    say "0 passed, 0 failed, 1 skipped"
    exit 77
fi
# ImageMagick's own convert, beside its import (another convert may come first on the PATH).
convert=$(dirname "$(readlink -f "$(command -v import)")")/convert
[[ -x $convert ]] || convert=$(dirname "$(command -v import)")/convert

# Starts Xvfb on a free display and exports DISPLAY; ends the test when it does not start.
start_display() {
    say "== virtual display"
    exec 3>"$tmp/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >>"$log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 50); do
        [[ -s $tmp/display ]] && break
        sleep 0.1
    done
    if [[ ! -s $tmp/display ]]; then
        fail "Xvfb starts"
        say "$passed passed, $failed failed"
        exit 1
    fi
    export DISPLAY=:$(head -n 1 "$tmp/display")
}
