#!/usr/bin/env bash
# The soak: Varnock.exe under Wine on its own Xvfb, fed for many rounds with
# random and hostile texts in every edit, switched between lists, configurations,
# languages and "Include Serial", and executed each round. The window must keep
# answering, hand its inputs back after every search and, closed at the end,
# write a Varnock.ini that brings back exactly the state it was left in.
# Usage: soak.sh VARNOCK_EXE PROBE_EXE WINEPREFIX OUTPUT_DIR
# VARNOCK_SOAK_ROUNDS (default 250) and VARNOCK_SOAK_SEED (default 6623,
# printed) lengthen a run or try other texts.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"
desktop_setup soak "$@"

ROUNDS=${VARNOCK_SOAK_ROUNDS:-250}
SEED=${VARNOCK_SOAK_SEED:-6623} # fixed, so every CI run types the same texts
# Every tenth round is done by mouse clicks at the controls' real places; the
# others by window messages, which are many times faster.
CLICK_EVERY=10
# What the settings file carries through unchanged at most, and what an edit
# hands over to its slot at most.
SAVED_TEXT_LIMIT=32758
SLOT_TEXT_LIMIT=32759

# Control identifiers (rows of the control table).
LANGUAGE=1
CONFIG_RADIOS=(4 5 6 7)
PARAMETER_EDITS=(11 13 15 17 19 21 36) # Vi min/max, Vo min/max, Vref, precision, DNM
RESULT_EDIT=42
LIST_EDITS=(46 47 48)
LIST_RADIOS=(25 26 27 28 29 30)
INCLUDE_SERIAL=49
EXECUTE=34
ALL_EDITS=("${PARAMETER_EDITS[@]}" "$RESULT_EDIT" "${LIST_EDITS[@]}")
# The inputs a search disables and must enable again.
INPUTS=(4 5 11 13 15 17 19 21 36 49 34 46 47 48)

# A sane value per parameter edit, so that many rounds get as far as a search.
declare -A SANE=([11]=0.6 [13]=3.0 [15]=0.1 [17]=3.2 [19]=3.3 [21]=0.05% [36]=1)
SUFFIXES=("" m V v % k M u)
JAPANESE=("抵抗" "電圧" "３．３" "１００ｋ" "ｍ" "シフト回路" "－５" "実行結果" "表" "ソ")
# The window takes code page 932 bytes; converted once, not at every use.
JAPANESE_CP932=()
for word in "${JAPANESE[@]}"; do JAPANESE_CP932+=("$(printf "%s" "$word" | iconv -f UTF-8 -t CP932)"); done

# The generators print straight to standard output: a command substitution
# costs a process, and a round makes hundreds of these pieces.
pick() { # pick WORDS...: prints one of them
    shift $((RANDOM % $#))
    printf '%s' "$1"
}
number() { # a decimal number, sometimes negative, sometimes with an exponent
    local exponents=(-3 0 2 12 400)
    ((RANDOM % 5 == 0)) && printf -- '-'
    printf '%d' $((RANDOM % 1000))
    ((RANDOM % 3 == 0)) && printf '.%d' $((RANDOM % 100))
    ((RANDOM % 8 == 0)) && printf 'e%s' "${exponents[RANDOM % 5]}"
    return 0
}
# Bash gives every subshell a new random seed, so a draw inside $(...) or a
# pipe would not replay: draws that feed a variable go through choose.
choose() { # choose VAR WORDS...: sets VAR to one of the words
    local -n choice=$1
    shift
    shift $((RANDOM % $#))
    choice=$1
}
with_suffix() {
    number
    pick "${SUFFIXES[@]}"
}
# Control characters other than NUL (ends a text), CR and LF (line breaks) and
# BEL (a pair of BELs is how the settings file writes a line break).
control_chars() {
    local all=$'\x01\t\x1a\x1b\x7f\x08\x0b\x0c\x1f'
    printf '%s' "${all:RANDOM % 9}"
}
japanese() { pick "${JAPANESE_CP932[@]}"; }
# LENGTH bytes of PATTERN repeated.
long_text() { perl -e 'print substr($ARGV[1] x ($ARGV[0] / length($ARGV[1]) + 1), 0, $ARGV[0])' "$1" "$2"; }

# A list of parts, one per line, with the suffixes, names and hostile lines
# that a person may paste.
parts_list() {
    local count=$((RANDOM % 40)) i
    for ((i = 0; i < count; i++)); do
        case $((RANDOM % 12)) in
        0) printf -- "-" && with_suffix ;;
        1) pick nan inf -inf NaN 1e999 ;;
        2) control_chars ;;
        3) japanese ;;
        4) printf "R%d " "$i" && with_suffix ;;
        *) printf "%d" $((1 + RANDOM % 999)) && pick "" k k M m ;;
        esac
        printf '\r\n'
    done
}

# Writes one random text for edit ID into FILE; lists and the result edit
# take multi-line texts up to the slot's size.
random_text() {
    local id=$1 file=$2 multi=0 pattern
    [[ " ${LIST_EDITS[*]} $RESULT_EDIT " == *" $id "* ]] && multi=1
    # Long texts are rare: Wine measures an edit's whole line at every paint,
    # so a window full of them slows every later round down.
    case $((RANDOM % 60 < 2 ? RANDOM % 2 + 1 : RANDOM % 12 + 3)) in
    1) choose pattern 1 22k "100"$'\r\n' -x 0.5% && long_text $((RANDOM % (SLOT_TEXT_LIMIT + 1))) "$pattern" ;;
    2) choose pattern 47 "1k"$'\r\n' Z && long_text "$SLOT_TEXT_LIMIT" "$pattern" ;;
    3) : ;;
    4) control_chars ;;
    5) japanese ;;
    6) number ;;
    7) with_suffix ;;
    8) pick nan inf -inf NaN -nan 1e999 -0 ;;
    9) printf -- "-" && with_suffix && printf "\r\n-\r\n--5k" ;;
    10) number && printf "\n" && with_suffix && printf "\r" && number ;; # lone LF and CR
    *) if ((multi)); then parts_list; else printf "%s" "${SANE[$id]:-0}"; fi ;;
    esac >"$file"
}

# Runs the probe commands of FILE in one probe process; its answers go to
# batch.out. A probe that fails without naming a command of its own has not
# reached the window at all (Wine now and then fails to start a process), nor
# has one that found no window at its first command (a probe whose Wine start
# went wrong, seen once in CI with an ld.so assertion): it is tried once more.
# A window that is gone fails again, and one that hangs fails both times,
# since every message waits 30 s for it.
batch() { # batch FILE WHAT: WHAT names the failure, with the probe's words
    local try first
    first=$(head -n 1 "$1")
    for try in 1 2; do
        wine64 "$probe" batch "$1" </dev/null 2>batch.err | tr -d '\r' >batch.out && return 0
        if grep -q '^varnock_probe:' batch.err &&
            ! tr -d '\r' <batch.err | grep -qxF "varnock_probe: status 1 at: $first"; then
            break
        fi
        echo "soak: $2: the probe did not reach the window (try $try): $(tr -d '\r' <batch.err | tail -3)"
    done
    fail "$2 (seed $SEED): $(tr -d '\r' <batch.err | tail -5)"
}

# The round's batch of probe commands: texts into every edit, some switches,
# then Execute.
plan_round() {
    local id
    # One round in three keeps the parameters sound, so that the lists and
    # switches get searched rather than stopped at the first bad field.
    local sound=$((RANDOM % 3 == 0))
    for id in "${ALL_EDITS[@]}"; do
        if ((sound)) && [[ -n "${SANE[$id]:-}" ]]; then
            printf "%s" "${SANE[$id]}" >"in-$id.txt"
        else
            random_text "$id" "in-$id.txt"
        fi
        echo "set $id in-$id.txt"
    done
    local radio config
    choose radio "${LIST_RADIOS[@]}"
    choose config "${CONFIG_RADIOS[@]}"
    ((RANDOM % 3 == 0)) && echo "press $radio"
    ((RANDOM % 10 == 0)) && echo "press $config"
    ((RANDOM % 4 == 0)) && echo "press $INCLUDE_SERIAL"
    ((RANDOM % 6 == 0)) && echo "press $LANGUAGE"
    echo "press $EXECUTE"
}

# After a search: the window answers, every input is enabled again, the result
# edit is readable, and the status line (painted, so read as pixels) shows ink.
# The repaint that draws the status may come a moment after the command.
check_after_execute() {
    local round=$1 listing attempt
    {
        for id in "${INPUTS[@]}"; do echo "enabled $id"; done
        echo "get $RESULT_EDIT result.txt"
        echo ink
    } >after.cmd
    for attempt in 1 2 3 4 5; do
        batch after.cmd "round $round: the window does not answer after Execute"
        listing=$(<batch.out)
        [[ "$listing" != *"ink 0"* ]] && break
        sleep 0.2
    done
    [[ ! "$listing" =~ enabled\ [0-9]+\ 0 ]] || fail "round $round: inputs left disabled (seed $SEED): $listing"
    [[ "$listing" != *"ink 0"* ]] || fail "round $round: no status shown after Execute (seed $SEED)"
    [[ -s result.txt ]] && results=$((results + 1))
    return 0
}

# A round by messages: one probe process runs the whole batch.
message_round() {
    plan_round >round.cmd
    batch round.cmd "round $1: the window did not answer"
}

# A round as a person does it: texts by messages, but the switches and Execute
# by mouse clicks and keys where the window shows them.
click_round() {
    local round=$1
    plan_round >planned.cmd
    grep "^set" planned.cmd >round.cmd
    batch round.cmd "round $round: texts not taken"
    local radio
    choose radio "${LIST_RADIOS[@]}"
    click "$radio"
    wait_for "list radio $radio marked by its click (round $round, seed $SEED)" is_checked "$radio"
    ((RANDOM % 2 == 0)) && click "$INCLUDE_SERIAL"
    ((RANDOM % 4 == 0)) && click "$LANGUAGE"
    keyboard_round "$round"
}

# Keys as a person presses them in a value field: Ctrl+A and Tab must leave
# its text as it was and move the focus on; then Execute by Enter in the
# field, or by a click.
keyboard_round() {
    local round=$1 edit
    choose edit "${PARAMETER_EDITS[@]}"
    click "$edit"
    wait_for "the focus on edit $edit after its click (round $round, seed $SEED)" focus_is "$edit"
    echo "get $edit typed.txt" >keys.cmd
    batch keys.cmd "round $round: no text read"
    xdotool key ctrl+a Tab
    wait_for "the focus to leave edit $edit by Tab (round $round, seed $SEED)" focus_moved "$edit"
    echo "get $edit tabbed.txt" >keys.cmd
    batch keys.cmd "round $round: no text read"
    cmp -s typed.txt tabbed.txt || fail "round $round: Ctrl+A, Tab changed edit $edit (seed $SEED)"
    if ((RANDOM % 2 == 0)); then
        xdotool key shift+Tab
        wait_for "the focus back on edit $edit (round $round, seed $SEED)" focus_is "$edit"
        xdotool key Return
    else
        click "$EXECUTE"
    fi
    sleep 0.5 # the keys' and click's messages reach the window before the probe's
}
focus_moved() { local now; now=$(probe focus) && [[ "$now" != "$1" && "$now" != -1 ]]; }

# What the settings file will give back for a text: at most the slot's
# characters, each line break (CR LF, lone CR or lone LF) as CR LF, cut to
# what a saved line carries, never inside a break.
expected_after_reload() {
    head -c "$SLOT_TEXT_LIMIT" "$1" | perl -0777 -ne '
        my $out = "";
        while (/\G(\r\n|\r|\n|[^\r\n])/gs) {
            my $piece = $1 =~ /[\r\n]/ ? "\r\n" : $1;
            last if length($out) + length($piece) > '"$SAVED_TEXT_LIMIT"';
            $out .= $piece;
        }
        print $out;'
}

# Every edit's text into DIR/ID.txt and every switch's mark into DIR/marks.
snapshot() {
    local dir=$1 id
    mkdir -p "$dir"
    {
        for id in "${ALL_EDITS[@]}"; do echo "get $id $dir/$id.txt"; done
        for id in "${CONFIG_RADIOS[@]}" "${LIST_RADIOS[@]}" "$INCLUDE_SERIAL"; do echo "check $id"; done
    } >snapshot.cmd
    batch snapshot.cmd "the window did not answer the snapshot"
    cp batch.out "$dir/marks"
    text_of "$LANGUAGE" >>"$dir/marks"
}

check_settings_file() {
    [[ -f Varnock.ini ]] || fail "Varnock.ini was not written"
    local lines crlf
    lines=$(wc -l <Varnock.ini)
    crlf=$(grep -c $'\r$' Varnock.ini || true)
    [[ "$lines" == 42 && "$crlf" == 42 ]] || fail "Varnock.ini has $lines lines, $crlf with CR LF, not 42"
    [[ -n "$(ini_line 32)" ]] || fail "no status saved after the last Execute (seed $SEED)"
}

compare_states() {
    local id
    for id in "${ALL_EDITS[@]}"; do
        expected_after_reload "before/$id.txt" >"before/$id.expected"
        cmp -s "before/$id.expected" "after/$id.txt" ||
            fail "edit $id did not come back as saved (seed $SEED): $(cmp "before/$id.expected" "after/$id.txt" 2>&1)"
    done
    diff before/marks after/marks >/dev/null ||
        fail "switches or language did not come back (seed $SEED): $(diff before/marks after/marks)"
}

start_display
restart_wineserver
enter_empty_folder "$out/soak-work"
echo "soak: seed $SEED (VARNOCK_SOAK_SEED=$SEED replays it), $ROUNDS rounds"
RANDOM=$SEED
started=$SECONDS
start_varnock
executes=0
results=0 # Execute presses that left lines in the result edit
for ((round = 1; round <= ROUNDS; round++)); do
    if ((round % CLICK_EVERY == 0)); then click_round "$round"; else message_round "$round"; fi
    executes=$((executes + 1))
    check_after_execute "$round"
done
snapshot before
close_varnock
check_settings_file
start_varnock
snapshot after
compare_states
close_varnock
echo "soak: passed: $ROUNDS rounds, $executes Execute presses ($results with result lines), $((SECONDS - started)) s, seed $SEED"
