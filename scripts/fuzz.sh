#!/usr/bin/env bash
# Builds the libFuzzer targets of the portable core with clang (ASan, UBSan) in build/fuzz and runs
# each one over its checked-in seeds. The seeds stay untouched: new inputs go to a working corpus
# under build/fuzz, which later runs reuse.
#   scripts/fuzz.sh                 20000 runs per target (what the test command does)
#   scripts/fuzz.sh --runs N        N runs per target
#   scripts/fuzz.sh --seconds S     S seconds per target
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build/fuzz"
limit=(-runs=20000)
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) limit=(-runs="$2"); shift 2 ;;
        --seconds) limit=(-max_total_time="$2"); shift 2 ;;
        *) echo "usage: scripts/fuzz.sh [--runs N | --seconds S]" >&2; exit 2 ;;
    esac
done

CLANGXX="$(command -v clang++ || command -v clang++-14 || true)"
if [ -z "$CLANGXX" ]; then
    echo "fuzz: clang++ is missing (./skyvane.sh setup installs it)" >&2
    exit 1
fi
cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER="$CLANGXX" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" >/dev/null

status=0
for seeds in "$ROOT"/tests/fuzz/corpus/*/; do
    name="$(basename "$seeds")"
    target="$BUILD/${name}_fuzz"
    work="$BUILD/corpus/$name"
    mkdir -p "$work" "$BUILD/crashes"
    log="$BUILD/$name.log"
    if (cd "$BUILD/crashes" && "$target" "${limit[@]}" -max_len=4096 -timeout=10 \
            -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1); then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        echo "fuzz: $name: ${runs:-?} inputs, no faults"
    else
        echo "fuzz: $name: FAULT (inputs kept in $BUILD/crashes)" >&2
        grep -E 'ERROR|broken|runtime error' "$log" | head -5 >&2 || true
        status=1
    fi
done
exit $status
