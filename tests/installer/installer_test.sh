#!/usr/bin/env bash
# The installer for real, in a fresh Wine prefix of its own with a stand-in simulator folder:
# refused without the simulator, a silent install from the simulator's key, an update over an
# older DLL that keeps the settings, and a silent uninstall that keeps them too.
# usage: installer_test.sh SETUP_EXE DLL   (exit 77: this machine cannot run 32-bit programs)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
setup_exe="$1" dll="$2"
version="${setup_exe##*/Skyvane-}" version="${version%-setup.exe}"
if [ -f "$root/scripts/win32-check.sh" ] && ! bash "$root/scripts/win32-check.sh" >/dev/null; then
    exit 77
fi
export WINEPREFIX="$root/build/installer-prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
cleanup
wineboot --init >/dev/null 2>&1
sim_key='HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\9.0'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvane'
sim="$WINEPREFIX/drive_c/Program Files/Microsoft Games/Flight Simulator 9"
modules="$sim/Modules"
mkdir -p "$sim"
touch "$sim/fs9.exe"
cp "$setup_exe" "$WINEPREFIX/drive_c/setup.exe"

fail() { echo "FAIL: $*" >&2; exit 1; }
# A silent run that must be refused: exit code 2 and the reason on standard error.
expect_refused() {
    local status=0 reason
    reason="$(wine 'C:\setup.exe' /S "$@" 2>&1 >/dev/null)" || status=$?
    [ "$status" = 2 ] || fail "setup $* ended with $status, not 2"
    grep -q "$expected" <<<"$reason" || fail "setup $*: no '$expected' in: $reason"
}
expected="not registered on this computer"; expect_refused
expected="does not hold Flight Simulator 2004"; expect_refused '/D=C:\windows'
[ ! -e "$modules" ] || fail "a refused setup made the Modules folder"

wine reg add "$sim_key" /v "EXE Path" /d 'C:\Program Files\Microsoft Games\Flight Simulator 9\' \
    /f >/dev/null
wine 'C:\setup.exe' /S || fail "silent install ended with $?"
cmp "$dll" "$modules/Skyvane.dll" || fail "the installed DLL differs from the built one"
[ -f "$modules/Skyvane-guide.txt" ] && [ -f "$modules/Skyvane-uninstall.exe" ] ||
    fail "guide or uninstaller missing"
entry="$(wine reg query "$uninstall_key" | tr -d '\r')"
grep -Eq "DisplayVersion +REG_SZ +${version//./\\.}\$" <<<"$entry" || fail "no version in: $entry"
grep -Eq 'EstimatedSize +REG_DWORD +0x[1-9a-f]' <<<"$entry" || fail "no size in: $entry"

printf '[Skyvane]\nPeriod=12\n' >"$modules/Skyvane.ini"
cp "$modules/Skyvane.ini" "$WINEPREFIX/settings.ini"
echo "an older Skyvane.dll" >"$modules/Skyvane.dll"
wine 'C:\setup.exe' /S || fail "update ended with $?"
cmp "$dll" "$modules/Skyvane.dll" || fail "the update did not replace the DLL"

wine "C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\Modules\\Skyvane-uninstall.exe" /S
wineserver -w # the uninstaller goes on in a copy of itself
for f in Skyvane.dll Skyvane-guide.txt Skyvane-uninstall.exe; do
    [ ! -e "$modules/$f" ] || fail "the uninstaller left $f"
done
cmp "$WINEPREFIX/settings.ini" "$modules/Skyvane.ini" || fail "the settings were lost"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall entry is still there"
[ -f "$sim/fs9.exe" ] || fail "the uninstaller touched the simulator"
echo "installer: refused, installed, updated and uninstalled as expected"
