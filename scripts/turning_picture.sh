#!/usr/bin/env bash
# Draws one pass-by in a standard-rate turn, straight and turn-aware, from the real placement
# (build/native/bin/turning_pass_by, built by ./skyvane.sh build or unit) into
# docs/turning-pass-by.png. ./skyvane.sh bench runs it; the picture changes only with the core.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
drawing="$root/build/native/turning-pass-by.mvg"
"$root/build/native/bin/turning_pass_by" "$drawing"
# Without dates in the file, the same drawing makes the same bytes.
convert "mvg:$drawing" -strip -define png:exclude-chunks=date,time \
    "$root/docs/turning-pass-by.png"
echo "turning pass-by: $root/docs/turning-pass-by.png"
