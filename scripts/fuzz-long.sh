#!/usr/bin/env bash
# Runs every fuzz target for longer than ./test does (default 30 minutes each,
# one after the other), keeping what each finds in build/fuzz-long/<target>.
# Usage: scripts/fuzz-long.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=${1:-1800}
shift || true

"$root/scripts/install-packages.sh" fuzz
cmake --preset fuzz -S "$root" >/dev/null
cmake --build --preset fuzz
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    targets=()
    for dir in "$root"/tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
for target in "${targets[@]}"; do
    echo "== $target, $seconds s"
    "$root/tests/fuzz/run_fuzz.sh" "$root/build/fuzz/tests/fuzz/$target" "$root/tests/fuzz/corpus/$target" \
        "$root/build/fuzz-long/$target" "$seconds"
done
echo "New inputs are in build/fuzz-long/<target>/corpus; copy the interesting ones into tests/fuzz/corpus."
