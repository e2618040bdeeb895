#!/usr/bin/env bash
# Varnock.exe as a person uses it: started under Wine on a virtual X display in
# an empty folder, clicked and typed into with xdotool, photographed, closed by
# its close command, then started again to see that everything came back.
# Usage: end_to_end.sh VARNOCK_EXE PROBE_EXE WINEPREFIX OUTPUT_DIR
# The screenshots end up in OUTPUT_DIR (e2e-*.png) for people to look at.
set -euo pipefail
exe=$(readlink -f "$1")
probe=$(readlink -f "$2")
out=$(mkdir -p "$4" && cd "$4" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
wine_prepare "$3"

TIMEOUT=${VARNOCK_E2E_TIMEOUT:-60} # seconds for any one thing to appear: Wine's first start is slow
fail() {
    echo "end-to-end: $*" >&2
    [[ -n "${DISPLAY:-}" ]] && xwd -root -silent | convert xwd:- "$out/e2e-failure.png" 2>/dev/null || true
    exit 1
}

# A display number nobody uses: no socket and no lock file.
start_display() {
    for n in $(seq 91 160); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            if [[ -e /tmp/.X11-unix/X$n ]]; then export DISPLAY=":$n"; return; fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.2
        done
        kill "$xvfb_pid" 2>/dev/null || true
    done
    fail "could not start Xvfb"
}

varnock_pid=""
xvfb_pid=""
cleanup() {
    [[ -n "$varnock_pid" ]] && kill "$varnock_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# The probe prints with CR LF like every Windows program.
probe() { wine64 "$probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
text_of() { probe text "$1" | iconv -f CP932 -t UTF-8; }

wait_for() { # wait_for WHAT COMMAND...: polls until the command succeeds
    local what=$1
    shift
    for _ in $(seq $((TIMEOUT * 4))); do
        "$@" && return 0
        sleep 0.25
    done
    fail "timed out waiting for $what"
}

window_open() { probe rect -1 >/dev/null; }
result_filled() { [[ -n "$(probe text 42)" ]]; }
is_checked() { [[ "$(probe check "$1")" == 1 ]]; }
text_is() { [[ "$(text_of "$1")" == "$2" ]]; }

# Clicks the middle of control ID where the window shows it on the screen.
click() {
    local left top right bottom
    read -r left top right bottom < <(probe rect "$1") || fail "no control $1"
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
    sleep 0.3
}

start_varnock() {
    wine64 "$exe" </dev/null >"$out/e2e-wine.log" 2>&1 &
    varnock_pid=$!
    wait_for "the Varnock window" window_open
    sleep 2 # first paint; Wine's first start in a new prefix is slow
}

close_varnock() {
    probe close
    for _ in $(seq $((TIMEOUT * 4))); do
        kill -0 "$varnock_pid" 2>/dev/null || break
        sleep 0.25
    done
    kill -0 "$varnock_pid" 2>/dev/null && fail "Varnock did not end after WM_CLOSE"
    wait "$varnock_pid" || fail "Varnock ended with status $?"
    varnock_pid=""
}

screenshot() { xwd -root -silent | convert xwd:- "$out/$1"; }

# Line n of the settings file, without its CR LF, as UTF-8.
ini_line() { sed -n "${1}p" Varnock.ini | tr -d '\r' | iconv -f CP932 -t UTF-8; }

start_display
# Wine picks the display driver when its server starts its desktop; a server
# left from the window tests (null driver, nothing shown) must go first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -f "$out"/e2e-*.png
work="$out/e2e-work"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

# First start: defaults, Japanese. Choose E12, type the DNM minimum, execute.
start_varnock
[[ "$(text_of 1)" == "English" ]] || fail "first start is not Japanese"
click 29
wait_for "E12 marked after its click" is_checked 29
is_checked 25 && fail "List1 is still marked after clicking E12"
click 36
xdotool type --delay 50 "0"
wait_for "the typed DNM minimum" text_is 36 0
click 34
wait_for "the search result" result_filled
sleep 1 # the repaint of the status line
screenshot e2e-japanese.png

# Switch to English, look, close by the close command.
click 1
wait_for "the language button to read Japanese" text_is 1 Japanese
[[ "$(text_of 34)" == "Execute" ]] || fail "Execute button not relabelled"
sleep 0.5
screenshot e2e-english.png
close_varnock

[[ -f Varnock.ini ]] || fail "Varnock.ini was not written"
lines=$(wc -l <Varnock.ini)
[[ "$lines" == 42 ]] || fail "Varnock.ini has $lines lines, not 42"
[[ "$(ini_line 1)" == 20 && "$(ini_line 22)" == 20 ]] || fail "counts are not 20 and 20"
[[ "$(ini_line 2)" == 1 ]] || fail "language not saved as English"
[[ "$(ini_line 16)" == 4 ]] || fail "list choice not saved as E12"
[[ "$(ini_line 39)" == 0 ]] || fail "typed DNM minimum not saved"
[[ "$(ini_line 31)" == *//* ]] || fail "result text not saved"
[[ "$(ini_line 32)" =~ ^[0-9]+組見つかりました。$ ]] || fail "status not saved: $(ini_line 32)"

# Second start: the saved state comes back.
start_varnock
[[ "$(text_of 1)" == "Japanese" ]] || fail "English was not restored"
[[ "$(text_of 49)" == "Include Serial" ]] || fail "labels are not English after restart"
is_checked 29 || fail "E12 not restored"
[[ "$(text_of 36)" == "0" ]] || fail "DNM minimum not restored"
result_filled || fail "result text not restored"
screenshot e2e-restarted.png
close_varnock
echo "end-to-end: passed; screenshots in $out"
