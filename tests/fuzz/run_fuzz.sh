#!/usr/bin/env bash
# Runs one fuzz target for a bounded time. New inputs go to a work folder, the
# seed corpus in the repository is only read; an input that breaks a check is
# kept in the work folder as crash-*, timeout-* or leak-* and the run fails.
# Usage: run_fuzz.sh TARGET SEED_CORPUS WORK_DIR SECONDS [libFuzzer options...]
set -euo pipefail
target=$1 seeds=$2 work=$3 seconds=$4
shift 4
mkdir -p "$work/corpus"
# Absolute paths: a target may change its current directory (the settings file
# is loaded from there).
seeds=$(realpath "$seeds") work=$(realpath "$work")
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=32800 -print_final_stats=1 \
    -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds" 2>"$work/log.txt" || {
    tail -n 60 "$work/log.txt"
    exit 1
}
# One summary line per target for the test log: executions and coverage.
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log.txt" | tr '\n' ' '
echo
