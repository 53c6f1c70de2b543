#!/usr/bin/env bash
# The long reliability runs: a million random steps of the core per seed, 24 simulated hours of
# the soak (SKYVANE_SOAK_HOURS to change), the
# settings-file corpus at 250 files per kind, the host-fault cases, and each fuzz target for ten
# minutes. Prints the figures each run reports. Run through ./skyvane.sh soak (display, Wine).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BIN="$ROOT/build/win32/bin"
export SKYVANE_SOAK_HOURS="${SKYVANE_SOAK_HOURS:-24}"
export SKYVANE_CORPUS_FILES_PER_KIND="${SKYVANE_CORPUS_FILES_PER_KIND:-250}"
status=0
run() {
    echo "== $1"
    (cd "$BIN" && timeout "${SKYVANE_SOAK_TIMEOUT:-7200}" "$ROOT/scripts/wine-run.sh" "./$1.exe" \
        --gtest_also_run_disabled_tests) 2>&1 | grep -a -E '^\[ (soak|corpus|faults|values) |FAILED|Failure|OK \]' || true
    [ "${PIPESTATUS[0]}" = 0 ] || status=1
}
echo "== the core under a million random pilot and host steps per seed (native)"
SKYVANE_SEQUENCE_STEPS="${SKYVANE_SEQUENCE_STEPS:-1000000}" "$ROOT/build/native/bin/unit_tests" \
    --gtest_filter='ModuleCoreSequence.*' | grep -a -E 'FAILED|Failure|OK \]|after step' || status=1
run soak_lockstep_test
run reliability_config_corpus_test
run reliability_host_faults_test
run reliability_host_values_test
echo "== fuzzing the core"
bash "$ROOT/scripts/fuzz.sh" --seconds "${SKYVANE_FUZZ_SECONDS:-600}" || status=1
exit $status
