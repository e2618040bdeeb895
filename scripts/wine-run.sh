#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the windows build.
# Usage: scripts/wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Creates the Wine prefix PREFIX on first use (once per test run; later runs
# reuse it), runs the program in a fresh empty folder so that no Varnock.ini of
# another test is seen, with the Japanese locale (code page 932), and strips the
# CR that Windows programs put before every line feed of their output.
# The program sees no X display unless VARNOCK_WINE_DISPLAY names one: Wine then
# falls back to its null display driver, where windows, controls and fonts work
# as usual but nothing is shown, so the window tests need no X server.
set -euo pipefail
prefix=$1
shift

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export PATH="/usr/lib/wine:$PATH"

mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [[ ! -f "$prefix/system.reg" ]]; then
        DISPLAY= wine64 wineboot -i >/dev/null 2>&1 || true
        # x11 when a display is given, else the null driver instead of failing.
        DISPLAY= wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1 || true
        wineserver -w || true
    fi
) 9>"$prefix.lock"
# One server for the whole run: it keeps the desktop process between the
# programs and leaves a minute after the last.
wineserver -p60 </dev/null >/dev/null 2>&1 || true

program=$(readlink -f "$1")
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/varnock-wine.XXXXXX")
output=$(mktemp -d "${TMPDIR:-/tmp}/varnock-output.XXXXXX")
trap 'rm -rf "$work" "$output"' EXIT
cd "$work"
export DISPLAY="${VARNOCK_WINE_DISPLAY:-}"
# Output goes to files, not a pipe: Wine's helper processes inherit the
# program's handles and outlive it, and a reader of a pipe would wait for them.
set +e
wine64 "$program" "$@" </dev/null >"$output/out" 2>"$output/err"
status=$?
set -e
tr -d '\r' <"$output/out"
tr -d '\r' <"$output/err" >&2
exit "$status"
