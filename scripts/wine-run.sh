#!/usr/bin/env bash
# Runs a Windows program in the project's private 32-bit Wine prefix, never the user's own.
# Used by CTest as the emulator of the win32 build and by skyvane.sh.
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${SKYVANE_WINEPREFIX:-$here/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
