#!/usr/bin/env bash
# Runs the real Skyvane.dll in the stand-in host on the demo scenario and leaves in build/demo:
# the trace, the host's journal, a summary, stills of the tower view, an animated GIF of the
# pass-bys, screenshots of the menu and of every module window, and approaches.txt: how close
# the user's aircraft passed the eye point in each pass-by, beside a second run of the circuit
# in lockstep without the clicks that tick "Follow turns" and "Catch up after a jump"; then, in
# tour/, a stretch of the busy field with "Watch the Traffic" on and tour-strip.png from it.
#   scripts/demo.sh                 lockstep, as fast as it goes (any display; Xvfb is fine)
#   scripts/demo.sh --interactive   real time in a window to use with keyboard and mouse
# skyvane.sh calls it after building, with DISPLAY set and the Wine prefix running.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/win32/bin"
out="$root/build/demo"
scenario="$root/hostsim/scenarios/demo_circuit.json"
busy_field="$root/hostsim/scenarios/busy_field.json"
tour_seconds=420 # the busy field's first landings and take-offs
gif_size="${SKYVANE_DEMO_GIF_SIZE:-480x360}"

interactive=0
for arg in "$@"; do
    case "$arg" in
        --interactive) interactive=1 ;;
        *) echo "usage: scripts/demo.sh [--interactive]" >&2; exit 2 ;;
    esac
done

# Windows paths for the host: Wine shows the Unix root as drive Z.
winpath() {
    printf 'Z:%s' "${1//\//\\}"
}

rm -rf "$out"
mkdir -p "$out/host/Modules" "$out/pictures" "$out/frames" "$out/screens"
cp "$bin/Skyvane.dll" "$out/host/Modules/"

mode=(--lockstep)
if [ "$interactive" = 1 ]; then
    if [ "${SKYVANE_OWN_XVFB:-0}" = 1 ]; then
        echo "demo: --interactive wants a display to show the window on (set DISPLAY);" \
             "running in real time on the hidden Xvfb display instead" >&2
    fi
    # Real time until the window is closed; the scenario's actions still run on time.
    mode=(--seconds 86400)
    echo "demo: the host's window is open: Shift+F switches the pass-by view, Shift+V lists" \
         "the AI aircraft, Shift+C opens the settings; close the window to end"
fi

start=$(date +%s.%N)
status=0
(cd "$bin" && "$root/scripts/wine-run.sh" ./hostsim.exe "${mode[@]}" \
    --scenario "$(winpath "$scenario")" --trace "$(winpath "$out/trace.jsonl")" \
    --root "$(winpath "$out/host")" --pictures "$(winpath "$out/pictures")") \
    >"$out/journal.txt" 2>&1 || status=$?
host_seconds=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }')
if [ "$status" != 0 ]; then
    echo "demo: the stand-in host failed ($status); its journal:" >&2
    cat "$out/journal.txt" >&2
    exit 1
fi

summary_status=0
(cd "$bin" && "$root/scripts/wine-run.sh" ./demo_summary.exe "$(winpath "$out/trace.jsonl")" \
    "$(winpath "$scenario")" "$(winpath "$out/journal.txt")") \
    | tr -d '\r' >"$out/summary.body" || summary_status=$?

# Pictures: stills and screenshots as PNG, the animation frames as one GIF.
shopt -s nullglob
stills=("$out/pictures"/view-*.bmp)
frames=("$out/pictures"/anim-*.bmp)
for bmp in "$out/pictures"/*.bmp; do
    name="$(basename "$bmp" .bmp)"
    case "$name" in
        view-*) echo "$bmp $out/frames/$name.png" ;;
        anim-*) ;;
        *) echo "$bmp $out/screens/$name.png" ;;
    esac
done | xargs -P "$(nproc)" -n 2 convert
if [ ${#frames[@]} -gt 0 ]; then
    convert -delay 25 -loop 0 "${frames[@]}" -resize "$gif_size" +dither -colors 96 \
        -layers Optimize "$out/pass-by.gif"
fi
rm -rf "$out/pictures"
total_seconds=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }')

# The second run: the same scenario less its two clicks on those check boxes (each action is
# one line of the scenario), so both options stay off. Until the dialog's OK the two runs fly
# the same pass-bys; after it each pass-by is flown with the options and without.
plain="$out/plain"
mkdir -p "$plain/host/Modules"
cp "$bin/Skyvane.dll" "$plain/host/Modules/"
grep -v '"click": 1005[12]' "$scenario" >"$plain/scenario.json"
(cd "$bin" && "$root/scripts/wine-run.sh" ./hostsim.exe --lockstep \
    --scenario "$(winpath "$plain/scenario.json")" --trace "$(winpath "$plain/trace.jsonl")" \
    --root "$(winpath "$plain/host")") >"$plain/journal.txt" 2>&1 || status=$?
if [ "$status" != 0 ]; then
    echo "demo: the run without the options failed ($status); its journal:" >&2
    cat "$plain/journal.txt" >&2
    exit 1
fi

(cd "$bin" && "$root/scripts/wine-run.sh" ./demo_summary.exe --approaches \
    "$(winpath "$out/trace.jsonl")" "$(winpath "$plain/trace.jsonl")") \
    | tr -d '\r' >"$out/approaches.txt" || summary_status=$?

# The tour: the busy field with "Watch the Traffic" switched on in the settings file, a still
# every 5 host seconds, the host's journal of its movements and of the aircraft it showed.
tour="$out/tour"
mkdir -p "$tour/host/Modules" "$tour/pictures" "$tour/frames"
cp "$bin/Skyvane.dll" "$tour/host/Modules/"
printf '[SETTINGS]\r\nActive=1\r\nSvp=10\r\nTour=1\r\n[SVM]\r\nRid=1\r\n' >"$tour/host/Modules/Skyvane.ini"
(cd "$bin" && "$root/scripts/wine-run.sh" ./hostsim.exe --lockstep --seconds "$tour_seconds" \
    --scenario "$(winpath "$busy_field")" --trace "$(winpath "$tour/trace.jsonl")" \
    --root "$(winpath "$tour/host")" --pictures "$(winpath "$tour/pictures")" 2>&1) \
    | tr -d '\r' >"$tour/journal.txt" || status=$?
if [ "$status" != 0 ]; then
    echo "demo: the tour on the busy field failed ($status); its journal:" >&2
    cat "$tour/journal.txt" >&2
    exit 1
fi
grep -E 'watching|lifts off|touches down' "$tour/journal.txt" >"$tour/watching.txt" || true
for bmp in "$tour/pictures"/view-*.bmp; do
    echo "$bmp $tour/frames/$(basename "$bmp" .bmp).png"
done | xargs -P "$(nproc)" -n 2 convert
rm -rf "$tour/pictures"
bash "$root/scripts/tour_strip.sh" "$tour" "$out/tour-strip.png"

{
    echo "Skyvane demo: $(basename "$scenario"), $( [ "$interactive" = 1 ] && echo "real time" \
        || echo "lockstep"); the host ran ${host_seconds} s, pictures included ${total_seconds} s"
    cat "$out/summary.body"
} >"$out/summary.txt"
rm -f "$out/summary.body"
cat "$out/summary.txt"
echo
echo "demo: trace       $out/trace.jsonl (one JSON line per host second; journal.txt beside it)"
echo "demo: summary     $out/summary.txt"
echo "demo: approaches  $out/approaches.txt (beside a run without the options, in plain/)"
echo "demo: tower view  $out/frames/ (${#stills[@]} stills, one every 10 host seconds)"
echo "demo: animation   $out/pass-by.gif (${#frames[@]} frames)"
echo "demo: the tour    $out/tour/ (watching.txt, frames/) and $out/tour-strip.png"
echo "demo: screenshots $out/screens/ ($(ls "$out/screens" | tr '\n' ' '))"
exit "$summary_status"
