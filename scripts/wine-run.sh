#!/usr/bin/env bash
# Runs one Windows program under Wine: CTest's emulator for the windows build.
# Usage: scripts/wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Creates the Wine prefix PREFIX on first use (once per test run; later runs
# reuse it), runs the program in a fresh empty folder so that no Varnock.ini of
# another test is seen, with the Japanese locale (code page 932), and strips the
# CR that Windows programs put before every line feed of their output.
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
        wine64 wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
) 9>"$prefix.lock"

program=$(readlink -f "$1")
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/varnock-wine.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
set +e
wine64 "$program" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
exit "$status"
