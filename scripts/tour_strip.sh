#!/usr/bin/env bash
# Draws the tour strip from the demo's tour: stills of the tower view left to right, each above
# the host's journal lines of the seconds since the still before it (what it watched and why,
# lift-offs and touch-downs).
#   scripts/tour_strip.sh TOUR_DIR OUT.png [SECOND ...]
# Without seconds it takes the stretch the README shows: a landing, then the take-off after it.
set -euo pipefail
tour="$1"
out="$2"
shift 2
seconds=("$@")
if [ ${#seconds[@]} -eq 0 ]; then
    seconds=(145 155 195 210 220)
fi
tiles="$(mktemp -d)"
trap 'rm -rf "$tiles"' EXIT
previous=-1
names=()
for s in "${seconds[@]}"; do
    frame="$tour/frames/view-$(printf %04d "$s").png"
    if [ ! -f "$frame" ]; then
        echo "tour_strip: no still of the tower view at $s s in $tour/frames" >&2
        exit 1
    fi
    lines="$(awk -v from="$previous" -v to="$s" '{ t = $1 + 0 } t > from && t <= to' \
        "$tour/watching.txt")"
    convert "$frame" -resize 360x270 \
        \( -size 360x -background white -fill black -font DejaVu-Sans -pointsize 11 \
        caption:"at $s s$(printf '\n%s' "$lines")" \) -append "$tiles/$s.png"
    names+=("$tiles/$s.png")
    previous="$s"
done
convert "${names[@]}" -bordercolor white -border 3 -background white -gravity north +append \
    -depth 8 -colors 96 "$out"
