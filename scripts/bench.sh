#!/usr/bin/env bash
# Runs every benchmark of the win32 build under Wine; each prints its own table.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root/build/win32/bin"
status=0
for bench in ./*_bench.exe; do
    [ -e "$bench" ] || continue
    echo "== ${bench#./}"
    "$root/scripts/wine-run.sh" "$bench" || status=1
done
exit $status
