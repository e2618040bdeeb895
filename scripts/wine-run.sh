#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the windows build.
# Usage: scripts/wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Creates the Wine prefix PREFIX on first use (once per test run; later runs
# reuse it) and runs the program in a fresh empty folder, so that no Varnock.ini
# of another test is seen, and strips the CR that Windows programs put before
# every line feed of their output. The program sees no X display unless
# VARNOCK_WINE_DISPLAY names one: Wine then uses its null display driver, where
# windows, controls and fonts work as usual but nothing is shown.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_prepare "$1"
shift

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
