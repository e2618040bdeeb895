#!/usr/bin/env bash
# varnock-search.exe under Wine against the native varnock-search: for the same
# options both must print the same bytes with --cp932, the same English text
# (CR LF line ends on Windows), the same exit status, and on this Japanese
# console (output code page 932) the Japanese text as code page 932 bytes.
# Usage: cli_same_output.sh WINDOWS_EXE NATIVE_EXE WINEPREFIX WORK_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
windows_exe=$(readlink -f "$1")
native_exe=$2
[[ -x "$native_exe" ]] || { echo "no native build at $native_exe: build the native preset first" >&2; exit 1; }
wine_prepare "$3"
work=$(mkdir -p "$4" && cd "$4" && pwd)
fail() { echo "cli_same_output: $*" >&2; exit 1; }

# A list with Japanese names, a part without a number and a value with a suffix.
printf '%s\r\n' "R47" "4.7k" "10k 抵抗" "22k" "47k" "100k" "１００ｋ" "220k" | iconv -f UTF-8 -t CP932 >"$work/list.txt"

# run NAME ARGS...: both programs in empty folders of their own; outputs and
# exit statuses in $work/NAME.{native,windows}[.status].
run() {
    local name=$1 side
    shift
    for side in native windows; do
        rm -rf "$work/$side" && mkdir -p "$work/$side" && cp "$work/list.txt" "$work/$side/"
    done
    local status=0
    (cd "$work/native" && "$native_exe" "$@" >"$work/$name.native" 2>/dev/null) || status=$?
    echo "$status" >"$work/$name.native.status"
    status=0
    (cd "$work/windows" && wine64 "$windows_exe" "$@" </dev/null >"$work/$name.windows" 2>/dev/null) || status=$?
    echo "$status" >"$work/$name.windows.status"
    cmp -s "$work/$name.native.status" "$work/$name.windows.status" ||
        fail "$name: exit status $(cat "$work/$name.windows.status") on Windows, $(cat "$work/$name.native.status") native"
}

same_bytes() {
    [[ -s "$work/$1.native" ]] || fail "$1: the native run printed nothing"
    cmp "$work/$1.native" "$work/$1.windows" || fail "$1: the outputs differ"
}

# --cp932: byte for byte, Japanese and English, found, none found and errors.
run ja --list E12 --precision 1% --dnm 3 --cp932 && same_bytes ja
run en --list E24 --precision 0.05% --serial --dnm 1 --lang en --cp932 && same_bytes en
run names --list List2 --list-file list.txt --precision 5% --vi-max 600m --vo-max 3300m --cp932 && same_bytes names
run none --list E6 --precision 0.0001% --cp932 && same_bytes none
run format --vi-min 1.5k --cp932 && same_bytes format
run option --list E99 --cp932
# A range over a list file (its Japanese names kept), over a search and over a
# series, and one that leaves no value.
run range_list --list List2 --list-file list.txt --from 10k --to 100k --print-list --cp932 && same_bytes range_list
run range --list E24 --from 1k --to 100k --precision 0.5% --dnm 2 --lang en --cp932 && same_bytes range
run series --series E12 --from 4k7 --to 1M --print-list --cp932 && same_bytes series
run empty_range --list E24 --from 1.4k --to 1.45k --cp932

# English for the terminal: the same text, with CR LF line ends on Windows.
run terminal_en --list E12 --precision 1% --dnm 2 --lang en
[[ -s "$work/terminal_en.native" ]] || fail "terminal_en: the native run printed nothing"
sed 's/$/\r/' "$work/terminal_en.native" | cmp - "$work/terminal_en.windows" ||
    fail "terminal_en: not the native text with CR LF line ends"

# Japanese for the terminal: the console's code page here is 932, so the text
# reads as the native UTF-8 text in code page 932, CR LF line ends.
run terminal_ja --list List2 --list-file list.txt --precision 5% --vi-max 600m --vo-max 3300m
iconv -f UTF-8 -t CP932 "$work/terminal_ja.native" | sed 's/$/\r/' | cmp - "$work/terminal_ja.windows" ||
    fail "terminal_ja: not the native text in code page 932"
echo "cli_same_output: passed"
