#!/usr/bin/env bash
# Builds the release zip with CPack and checks that it holds exactly the DLL and the guide, and
# puts the pilot's installer beside it.
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
# The installer is built with the DLL (installer/CMakeLists.txt); it goes out beside the zip.
setup_exe="$root/build/win32/installer/Skyvane-2.0-setup.exe"
[ -f "$setup_exe" ] || { echo "package: no installer (is makensis installed?)" >&2; exit 1; }
cp "$setup_exe" "$out/"
echo "package: $zip"
echo "package: $out/$(basename "$setup_exe")"
