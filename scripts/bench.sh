#!/usr/bin/env bash
# Prints the native turn and rates reports, redraws docs/turning-pass-by.png and times the core's tick
# natively, then runs every benchmark of the win32 build under Wine; each prints its own table
# (tour_bench a line: the take-offs and landings "Watch the Traffic" showed on the busy field).
# Where the kernel cannot run 32-bit programs, Wine cannot run them: it says so instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0
echo "== turns_report (native)"
"$root/build/native/bin/turns_report" || status=1
echo "== rates_report (native)"
"$root/build/native/bin/rates_report" || status=1
bash "$root/scripts/turning_picture.sh" || status=1
# Timings come from a native build without the sanitizers.
echo "== tick_core_bench (native, optimised)"
cmake -S "$root" -B "$root/build/native-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DSKYVANE_SANITIZE=OFF >/dev/null
cmake --build "$root/build/native-bench" --target tick_core_bench >/dev/null
"$root/build/native-bench/bin/tick_core_bench" || status=1
cd "$root/build/win32/bin"
if reason="$(bash "$root/scripts/win32-check.sh" --short)"; then
    for bench in ./*_bench.exe; do
        [ -e "$bench" ] || continue
        echo "== ${bench#./}"
        "$root/scripts/wine-run.sh" "$bench" || status=1
    done
else
    shopt -s nullglob
    benches=(./*_bench.exe)
    echo "bench: the ${#benches[@]} Windows benchmarks were skipped: $reason"
fi
exit $status
