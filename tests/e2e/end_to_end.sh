#!/usr/bin/env bash
# Varnock.exe as a person uses it: started under Wine on a virtual X display in
# an empty folder, clicked and typed into with xdotool, photographed, closed by
# its close command, then started again to see that everything came back.
# Usage: end_to_end.sh VARNOCK_EXE PROBE_EXE WINEPREFIX OUTPUT_DIR
# The screenshots end up in OUTPUT_DIR (e2e-*.png) for people to look at.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"
desktop_setup e2e "$@"

result_filled() { [[ -n "$(probe text 42)" ]]; }

start_display
restart_wineserver
rm -f "$out"/e2e-*.png
enter_empty_folder "$out/e2e-work"

# First start: defaults, Japanese. Choose E12, type the DNM minimum, execute.
start_varnock
[[ "$(text_of 1)" == "English" ]] || fail "first start is not Japanese"
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
echo "e2e: passed; screenshots in $out"
