#!/usr/bin/env bash
# Builds the release zip with CPack and checks that it holds exactly the DLL and the guide.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/package"
mkdir -p "$out"
(cd "$root/build/win32" && cpack -G ZIP -B "$out" >/dev/null)
zip="$out/Skyvane-2.0.zip"
contents="$(unzip -Z1 "$zip" | sort | tr '\n' ' ')"
if [ "$contents" != "Skyvane.dll pilot-guide.txt " ]; then
    echo "package: unexpected contents: $contents" >&2
    exit 1
fi
echo "package: $zip"
