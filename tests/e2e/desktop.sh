# Sourced by the end-to-end test and the soak: Varnock.exe on its own Xvfb
# display under Wine, seen and driven from outside through the probe and
# xdotool. The caller then runs desktop_setup with its name and arguments.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

# desktop_setup NAME VARNOCK_EXE PROBE_EXE WINEPREFIX OUTPUT_DIR: NAME prefixes
# messages and screenshots, which go to OUTPUT_DIR.
desktop_setup() {
    TEST_NAME=$1
    exe=$(readlink -f "$2")
    probe=$(readlink -f "$3")
    out=$(mkdir -p "$5" && cd "$5" && pwd)
    wine_prepare "$4"
}

TIMEOUT=${VARNOCK_E2E_TIMEOUT:-60} # seconds for any one thing to appear: Wine's first start is slow
# A command that fails outside a check ends the script (set -e): say which.
trap 'echo "$TEST_NAME: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
fail() {
    echo "$TEST_NAME: $*" >&2
    [[ -n "${DISPLAY:-}" ]] && xwd -root -silent | convert xwd:- "$out/$TEST_NAME-failure.png" 2>/dev/null || true
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

# Wine picks the display driver when its server starts its desktop; a server
# left from the window tests (null driver, nothing shown) must go first.
restart_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# The probe prints with CR LF like every Windows program.
# A probe that Wine cannot start or that hangs gives up rather than the test.
probe() { timeout 30 wine64 "$probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
text_of() { probe text "$1" | iconv -f CP932 -t UTF-8; }

wait_for() { # wait_for WHAT COMMAND...: polls until the command succeeds
    local what=$1
    shift
    # By the clock, not by a count of tries: on a busy machine each probe
    # takes a while, and a wait must still fail with its message in time.
    local deadline=$((SECONDS + TIMEOUT))
    while ((SECONDS < deadline)); do
        "$@" && return 0
        sleep 0.25
    done
    fail "timed out waiting for $what"
}

window_open() { probe rect -1 >/dev/null; }
is_checked() { [[ "$(probe check "$1")" == 1 ]]; }
text_is() { [[ "$(text_of "$1")" == "$2" ]]; }
focus_is() { [[ "$(probe focus)" == "$1" ]]; }

# Clicks the middle of control ID where the window shows it on the screen.
click() {
    local left top right bottom
    read -r left top right bottom < <(probe rect "$1") || fail "no control $1"
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
    sleep 0.3
}

start_varnock() {
    wine64 "$exe" </dev/null >"$out/$TEST_NAME-wine.log" 2>&1 &
    varnock_pid=$!
    wait_for "the Varnock window" window_open
    sleep 2 # first paint; Wine's first start in a new prefix is slow
}

# wait_ended WHAT: waits for the Varnock process to end, then forgets it.
wait_ended() {
    for _ in $(seq $((TIMEOUT * 4))); do
        kill -0 "$varnock_pid" 2>/dev/null || break
        sleep 0.25
    done
    kill -0 "$varnock_pid" 2>/dev/null && fail "Varnock did not end after $1"
    local status=0
    wait "$varnock_pid" || status=$?
    varnock_pid=""
    return "$status"
}

close_varnock() {
    probe close
    wait_ended WM_CLOSE || fail "Varnock ended with status $?"
}

screenshot() { xwd -root -silent | convert xwd:- "$out/$1"; }

# Line n of the settings file, without its CR LF, as UTF-8.
ini_line() { sed -n "${1}p" Varnock.ini | tr -d '\r' | iconv -f CP932 -t UTF-8; }

# Fresh empty working folder WORK_DIR, made the current directory.
enter_empty_folder() {
    rm -rf "$1"
    mkdir -p "$1"
    cd "$1"
}
