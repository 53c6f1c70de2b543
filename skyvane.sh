#!/usr/bin/env bash
# One entry point for building, testing and running Skyvane. See README.md.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
BUILD="$ROOT/build"
export SKYVANE_WINEPREFIX="${SKYVANE_WINEPREFIX:-$BUILD/wineprefix}"
export WINEPREFIX="$SKYVANE_WINEPREFIX" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
JOBS="$(nproc)"

usage() {
    cat <<'USAGE'
usage: ./skyvane.sh COMMAND [ARGS]
  setup          install missing Debian packages and make the private Wine prefix
  build          build the native core and tests, and the win32 DLL, stand-in host and tests
  test           build, then run every test (native unit tests, then integration tests under Wine)
  unit           build and run only the native unit tests (no mingw, no Wine)
  demo [--interactive]  run the real DLL in the stand-in host on the demo scenario
  bench          run the benchmarks
  soak           run the long soak in the stand-in host
  fuzz [ARGS]    fuzz the core longer (scripts/fuzz.sh --runs N | --seconds S)
  package        build the release zip (DLL and pilot's guide) and the pilot's installer
  hostsim ARGS   run hostsim.exe under Wine and Xvfb with ARGS
  clean          remove the build folder
USAGE
}

packages_missing() {
    ! bash "$ROOT/scripts/setup.sh" --check "$@"
}

# Wine runs the 32-bit module only where the kernel runs 32-bit programs. Asked once per command;
# the answer and its reason are printed.
WIN32_OK=""
check_win32() {
    if bash "$ROOT/scripts/win32-check.sh"; then WIN32_OK=1; else WIN32_OK=0; fi
}

# For the commands that are nothing but Windows code: stop before any build or Wine prefix work.
require_win32() {
    check_win32
    [ "$WIN32_OK" = 1 ] || exit 1
}

XVFB_PID=""
XVFB_STARTED=0
start_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${SKYVANE_OWN_DISPLAY:-0}" != 1 ]; then
        return
    fi
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            if kill -0 "$XVFB_PID" 2>/dev/null; then
                export DISPLAY=":$n" SKYVANE_OWN_XVFB=1
                XVFB_STARTED=1
                return
            fi
        fi
    done
    echo "skyvane: no free X display for Xvfb" >&2
    exit 1
}

stop_display() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ "$XVFB_STARTED" = 1 ] && [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# One wineserver for the whole run; it is stopped with the display.
start_wine() {
    start_display
    trap stop_display EXIT
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "skyvane: creating the private 32-bit Wine prefix in $WINEPREFIX"
        mkdir -p "$BUILD"
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    # Without a window manager, Wine waits for one (up to 2 s) whenever a managed window is
    # hidden or destroyed: unmanaged windows make a host shut-down, a settings page change or a
    # closing dialog take milliseconds instead of seconds. That holds for hostsim.exe too: the
    # demo's 600 host seconds take 6 s instead of 34 s, and its screenshots, taken from the
    # screen inside the host, stack the module's topmost windows over the host all the same.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null ||
        grep -q 'AppDefaults\\\\hostsim.exe\\\\X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wine reg delete 'HKCU\Software\Wine\AppDefaults\hostsim.exe\X11 Driver' /f \
            >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    wineserver -p >/dev/null 2>&1 || true
    # The first program run starts Wine's own services, which live as long as the server. Started
    # here, they hold no test's output pipe open, so no test waits on them after it has ended.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

cmd_setup() {
    if packages_missing; then
        bash "$ROOT/scripts/setup.sh"
    fi
    check_win32
    if [ "$WIN32_OK" = 1 ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
        start_wine
    fi
}

ensure_setup() {
    if packages_missing; then
        bash "$ROOT/scripts/setup.sh"
    fi
}

build_native() {
    cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD/native" -j "$JOBS"
}

cmd_build() {
    ensure_setup
    build_native
    cmake -S "$ROOT" -B "$BUILD/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-run.sh" >/dev/null
    cmake --build "$BUILD/win32" -j "$JOBS"
}

cmd_unit() {
    if packages_missing --native; then
        bash "$ROOT/scripts/setup.sh" --native
    fi
    build_native
    (cd "$BUILD/native" && ctest --output-on-failure -j "$JOBS" "$@")
}

# One suite's counts from a CTest log, as "passed failed skipped": CTest counts a skipped test
# among those that did not fail.
ctest_counts() {
    local total failed skipped
    total="$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$1" | tail -n 1)"
    failed="$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$1" | tail -n 1)"
    skipped="$(grep -c '\*\*\*Skipped' "$1" || true)"
    total="${total:-0}" failed="${failed:-0}" skipped="${skipped:-0}"
    echo "$((total - failed - skipped)) $failed $skipped"
}

# The fuzz stage's counts: each target run over its seeds is one test.
fuzz_counts() {
    echo "$(grep -c '^fuzz: .*no faults$' "$1" || true) $(grep -c '^fuzz: .*FAULT' "$1" || true) 0"
}

cmd_test() {
    check_win32
    cmd_build
    if [ "$WIN32_OK" = 1 ]; then
        start_wine
    fi
    local status=0 logs="$BUILD/test-logs"
    mkdir -p "$logs"
    echo "== native unit tests (ASan, UBSan)"
    (cd "$BUILD/native" && ctest --output-on-failure -j "$JOBS") | tee "$logs/native.log" ||
        status=1
    echo "== fuzzing the core (libFuzzer, bounded runs over the seeds)"
    bash "$ROOT/scripts/fuzz.sh" 2>&1 | tee "$logs/fuzz.log" || status=1
    echo "== integration tests (real DLL in the stand-in host, under Wine)"
    if [ "$WIN32_OK" = 1 ]; then
        (cd "$BUILD/win32" && ctest --output-on-failure -j 1 "$@") | tee "$logs/win32.log" ||
            status=1
    else
        # wine-run.sh answers every test with the skip status; CTest lists them as skipped.
        (cd "$BUILD/win32" && ctest --output-on-failure -j "$JOBS" "$@") | tee "$logs/win32.log" ||
            status=1
        echo "skyvane: $(grep -c '\*\*\*Skipped' "$logs/win32.log") Windows tests skipped:" \
            "$(bash "$ROOT/scripts/win32-check.sh" --short)"
    fi
    # The last line counts every suite together, so a log's reader sees what ran.
    local passed=0 failed=0 skipped=0 p f k
    while read -r p f k; do
        passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + k))
    done < <(ctest_counts "$logs/native.log"; fuzz_counts "$logs/fuzz.log"
             ctest_counts "$logs/win32.log")
    echo "test: $passed passed, $failed failed, $skipped skipped"
    return $status
}

cmd_bench() {
    check_win32
    cmd_build
    if [ "$WIN32_OK" = 1 ]; then
        start_wine
    fi
    bash "$ROOT/scripts/bench.sh" "$@"
}

cmd_hostsim() {
    require_win32
    cmd_build >/dev/null
    start_wine
    cd "$BUILD/win32/bin"
    "$ROOT/scripts/wine-run.sh" ./hostsim.exe "$@"
}

case "${1:-}" in
    setup) cmd_setup ;;
    build) cmd_build ;;
    test) shift; cmd_test "$@" ;;
    unit) shift; cmd_unit "$@" ;;
    hostsim) shift; cmd_hostsim "$@" ;;
    demo) shift; require_win32; cmd_build; start_wine; bash "$ROOT/scripts/demo.sh" "$@" ;;
    bench) shift; cmd_bench "$@" ;;
    soak) shift; require_win32; cmd_build; start_wine; bash "$ROOT/scripts/soak.sh" "$@" ;;
    fuzz) shift; ensure_setup; bash "$ROOT/scripts/fuzz.sh" "$@" ;;
    package) shift; cmd_build; bash "$ROOT/scripts/package.sh" "$@" ;;
    clean) rm -rf "$BUILD" ;;
    -h|--help|help|"") usage ;;
    *) usage; exit 2 ;;
esac
