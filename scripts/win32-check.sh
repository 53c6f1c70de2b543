#!/usr/bin/env bash
# Tells whether this machine can run a 32-bit x86 program, which Wine needs for the 32-bit
# module: exits 0 if it can, 1 if not, and prints the answer with its reason.
#   scripts/win32-check.sh          the answer and its reason, plainly, for whoever runs the command
#   scripts/win32-check.sh --short  the reason alone, as one clause (nothing when it can)
# SKYVANE_ASSUME_NO_WIN32=1 forces the answer "cannot", to try that path on any machine.
# The kernel is asked directly: a 93-byte static 32-bit ELF that only exits 0 is executed. A
# kernel without IA-32 emulation refuses it with "Exec format error", as it refuses Wine's loader.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
short=0
[ "${1:-}" = "--short" ] && short=1

# ELF header (52 bytes), one loadable segment at 0x08048000 (32 bytes), then the code at the
# entry point: xor ebx,ebx; mov eax,1 (exit); int 0x80.
elf_hex="7f454c46010101000000000000000000020003000100000054800408340000000000000000000000"
elf_hex+="340020000100280000000000010000000000000000800408008004085d0000005d00000005000000"
elf_hex+="0010000031dbb801000000cd80"

off="this kernel cannot run 32-bit programs (IA-32 emulation is off)"
reason=""
if [ "${SKYVANE_ASSUME_NO_WIN32:-0}" = 1 ]; then
    reason="$off (assumed: SKYVANE_ASSUME_NO_WIN32=1)"
else
    # In the build folder, not /tmp: the project runs its own programs from there, so a
    # noexec /tmp cannot make a capable kernel look incapable.
    mkdir -p "$root/build"
    probe="$(mktemp "$root/build/win32-check.XXXXXX")" || exit 1
    printf "$(sed 's/../\\x&/g' <<<"$elf_hex")" >"$probe"
    chmod +x "$probe"
    error="$(LC_ALL=C "$probe" 2>&1)"
    status=$?
    rm -f "$probe"
    if [ "$status" != 0 ]; then
        case "$error" in
            *"Exec format error"*) reason="$off" ;;
            *) reason="a 32-bit test program did not run here (status $status: ${error##*: })" ;;
        esac
    fi
fi

if [ -z "$reason" ]; then
    [ "$short" = 1 ] ||
        echo "skyvane: this machine runs 32-bit programs, so Wine can run the 32-bit module"
    exit 0
fi
if [ "$short" = 1 ]; then
    echo "$reason"
    exit 1
fi
if [ "${SKYVANE_ASSUME_NO_WIN32:-0}" = 1 ]; then
    echo "skyvane: SKYVANE_ASSUME_NO_WIN32=1: answering as such a kernel would."
fi
case "$reason" in
    "$off"*)
        echo "skyvane: ${off^}, so Wine cannot run the 32-bit module." \
             "On kernels 6.7 and later it is switched on with the boot parameter ia32_emulation=1." ;;
    *) echo "skyvane: ${reason^}, so Wine cannot run the 32-bit module." ;;
esac
exit 1
