#!/usr/bin/env bash
# Varnock.exe as a person uses it: started under Wine on a virtual X display in
# an empty folder, clicked and typed into with xdotool, photographed, closed by
# its close command, then started again to see that everything came back. Then
# the ways a window ends without a close (Windows ending the session, a kill
# during a search), and a first start on a Western Windows (code page 1252).
# Usage: end_to_end.sh VARNOCK_EXE PROBE_EXE WINEPREFIX OUTPUT_DIR WESTERN_PREFIX NATIVE_CLI
# The screenshots end up in OUTPUT_DIR (e2e-*.png) for people to look at.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"
western_prefix=$5
native_cli=$(readlink -f "$6")
desktop_setup e2e "$@"
CAPTION="Varnock : シフト回路の抵抗探索 R1.00"

result_filled() { [[ -n "$(probe text 42)" ]]; }

start_display
restart_wineserver
rm -f "$out"/e2e-*.png
enter_empty_folder "$out/e2e-work"

# First start: defaults, Japanese. Choose E12, type the DNM minimum, execute.
[[ "$(probe acp)" == 932 ]] || fail "Wine's code page is $(probe acp), not 932 (is ja_JP.UTF-8 generated?)"
start_varnock
[[ "$(text_of 1)" == "English" ]] || fail "first start is not Japanese"
[[ "$(probe caption)" == "$CAPTION" ]] || fail "caption reads '$(probe caption)'"
click 29
wait_for "E12 marked after its click" is_checked 29
is_checked 25 && fail "List1 is still marked after clicking E12"
click 36
xdotool type --delay 50 "0"
wait_for "the typed DNM minimum" text_is 36 0
# The keyboard: Tab moves on without typing a tab, Shift+Tab comes back,
# Ctrl+A selects the whole field (so typing replaces it), Enter executes.
click 11
wait_for "the focus on Vi(min) after its click" focus_is 11
xdotool key Tab
wait_for "the focus on Vi(max) after Tab from Vi(min)" focus_is 13
text_is 11 0.6 && text_is 13 3.0 || fail "Tab changed a field: '$(text_of 11)' '$(text_of 13)'"
xdotool key shift+Tab
wait_for "the focus back on Vi(min) after Shift+Tab" focus_is 11
click 21
wait_for "the focus on the precision after its click" focus_is 21
xdotool key ctrl+a
xdotool type --delay 50 "0.01%"
wait_for "the precision retyped over its selection" text_is 21 0.01%
xdotool key Return
wait_for "the search result after Enter in the precision field" result_filled
focus_is 21 || fail "the focus left the precision field after Enter: $(probe focus)"
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

# The complete search through the system menu, with real keys: Alt+Space, the
# last item (Up from the first), Enter. A ratiometric design that Execute finds
# nothing for; the result holds the first lines of the console's complete
# search of the same state, which it reads from the Varnock.ini saved before
# the search.
enter_empty_folder "$out/e2e-complete"
start_varnock
for field in "11 0.5" "13 4.5" "15 0" "17 5" "19 2.5" "21 0.1%"; do
    printf %s "${field#* }" >"field-${field%% *}.txt"
    echo "set ${field%% *} field-${field%% *}.txt"
done >fields.txt
probe batch fields.txt || fail "could not set the fields"
click 28
click 49
wait_for "Include Serial ticked" is_checked 49
click 11
xdotool key alt+space
sleep 1
xdotool key Up Return
wait_for "the complete search's result" result_filled
printf 'get 42 result.txt\n' >get-result.txt
probe batch get-result.txt || fail "could not read the result"
shown=$(grep -c $'\r$' result.txt || true)
((shown > 100)) || fail "only $shown lines of the complete search shown"
# Into a file first: a head that stops reading early ends the console program
# with SIGPIPE, which pipefail would count as a failure of this script.
"$native_cli" --complete --best 1000 --cp932 >console-all.txt
head -n "$shown" console-all.txt >console.txt
cmp -s result.txt console.txt || fail "the window's complete search differs from the console's ($shown lines)"
sleep 1
screenshot e2e-complete.png
# Execute finds nothing here; Ctrl+Enter in a value field is the complete search again.
click 34
wait_for "Execute's empty result" eval '! result_filled'
click 11
xdotool key ctrl+Return
wait_for "the complete search after Ctrl+Enter" result_filled
close_varnock
[[ "$(ini_line 32)" == "1511279595組見つかりました。上位${shown}組のみ表示しました。" ]] || fail "status: $(ini_line 32)"

# Windows ends the session (logoff, shutdown) with the window open: the process
# ends without WM_DESTROY, and what was typed must be in the file all the same.
enter_empty_folder "$out/e2e-session"
start_varnock
click 11
xdotool key ctrl+a
xdotool type --delay 50 "0.25"
click 46
xdotool key ctrl+a
xdotool type --delay 50 $'1k\n2.2k'
wait_for "the typed list" text_is 46 $'1k\n2.2k'
text_is 11 0.25 || fail "Vi(min) reads '$(text_of 11)' after typing"
wine64 wineboot --end-session --shutdown </dev/null >/dev/null 2>&1 || true
wait_ended "the session's end" || true
[[ "$(ini_line 24)" == 0.25 ]] || fail "Vi(min) typed before the session's end not saved: '$(ini_line 24)'"
[[ "$(ini_line 33)" == $'1k\a\a2.2k' ]] || fail "List1 typed before the session's end not saved"

# A window killed (the task ended) during a search of a minute, started by
# Execute: the fields and the list it was started with are in the file.
enter_empty_folder "$out/e2e-kill"
start_varnock
awk 'BEGIN { for (i = 0; i < 500; i++) printf "%.3g\r\n", 10 ^ (7 * i / 499) }' >list.txt
printf '' >empty.txt
printf nan >nan.txt
printf 1e-6 >vomax.txt
printf 0.0001%% >precision.txt
printf 0 >dnm.txt
printf '%s\n' "set 11 empty.txt" "set 15 nan.txt" "set 17 vomax.txt" "set 21 precision.txt" \
    "set 36 dnm.txt" "set 46 list.txt" "post 34" >start-search.txt
probe batch start-search.txt >/dev/null || fail "could not start the search"
searching() { [[ "$(printf 'enabled 34\n' >enabled.txt && probe batch enabled.txt)" == "enabled 34 0" ]]; }
wait_for "the search to run (Execute disabled)" searching
wineserver -k
wait_ended "wineserver -k" || true
[[ -f Varnock.ini ]] || fail "nothing saved before the killed search"
for check in "24:" "26:nan" "27:1e-6" "29:0.0001%" "39:0"; do
    [[ "$(ini_line "${check%%:*}")" == "${check#*:}" ]] || fail "line ${check%%:*} of Varnock.ini is '$(ini_line "${check%%:*}")'"
done
[[ "$(ini_line 33)" == "$(tr -d '\n' <list.txt | sed 's/\r/\a\a/g')" ]] || fail "the list of the killed search not saved"

# A Western Windows: code page 1252. A first start opens in English, the caption
# reads as written, and the language button still gives Japanese.
VARNOCK_WINE_LANG=en_US.UTF-8 wine_prepare "$western_prefix"
restart_wineserver
[[ "$(probe acp)" == 1252 ]] || fail "the Western prefix has code page $(probe acp), not 1252 (is en_US.UTF-8 generated?)"
enter_empty_folder "$out/e2e-western"
start_varnock
[[ "$(text_of 1)" == Japanese && "$(text_of 34)" == Execute ]] || fail "a first start on code page 1252 is not English"
[[ "$(probe caption)" == "$CAPTION" ]] || fail "caption on code page 1252 reads '$(probe caption)'"
screenshot e2e-western.png
click 1
wait_for "the language button to read English" text_is 1 English
close_varnock
[[ "$(ini_line 2)" == 0 ]] || fail "Japanese chosen on code page 1252 not saved"
echo "e2e: passed; screenshots in $out"
