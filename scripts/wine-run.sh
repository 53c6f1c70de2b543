#!/usr/bin/env bash
# Runs a Windows program in the project's private 32-bit Wine prefix, never the user's own.
# Used by CTest as the emulator of the win32 build and by skyvane.sh.
# On a machine that cannot run 32-bit programs it exits with SKIP_STATUS, which the win32 build
# gives its tests as SKIP_RETURN_CODE, so CTest counts them as skipped.
SKIP_STATUS=77
here="$(cd "$(dirname "$0")/.." && pwd)"
if ! reason="$(bash "$here/scripts/win32-check.sh" --short)"; then
    echo "wine-run: skipped, $reason" >&2
    exit "$SKIP_STATUS"
fi
export WINEPREFIX="${SKYVANE_WINEPREFIX:-$here/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
