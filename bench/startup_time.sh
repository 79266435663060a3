#!/usr/bin/env bash
# Time from starting the game to its first main-loop frame, with the intro
# skipped by an Escape sent the moment the window exists, under Xvfb.
# The main loop prints its first statistics report once more than a second
# of frames has passed, so the first frame began 1 s (plus at most one frame)
# before that report: the figure is the report's time less 1 s.
#   bench/startup_time.sh BUILD_DIR [RUNS]
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
build=$(cd "${1:-build}" && pwd)
runs="${2:-5}"
if [ "${E2E_INSIDE_XVFB:-}" != 1 ]; then
    E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$build" "$runs"
fi
source "$HERE/../tests/e2e/lib.bash"
cd "$build/game"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
now() { date +%s.%N; }
results=()
for run in $(seq 1 "$runs"); do
    start=$(now)
    ./vorlaxis >"$out" 2>/dev/null &
    game=$!
    window=""
    while [ -z "$window" ]; do
        window="$(xdotool search --name '^Vorlaxis V1.0$' 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] || sleep 0.01
    done
    shown=$(now)
    xdotool key --window "$window" Escape
    until grep -q '^FPS: ' "$out"; do
        sleep 0.01
    done
    reported=$(now)
    fps="$(sed -n 's/^FPS: //p' "$out" | head -n 1)"
    send_keys "$window" alt+F4
    wait "$game"
    first=$(echo "$reported - $start - 1.0" | bc)
    results+=("$first")
    printf '  run %d: window after %.2f s, first main-loop frame after %.2f s (first second at %s FPS)\n' \
        "$run" "$(echo "$shown - $start" | bc)" "$first" "$fps"
done
median=$(printf '%s\n' "${results[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
printf 'startup_time: median %.2f s from start to the first main-loop frame, intro skipped (%d runs)\n' "$median" "$runs"
