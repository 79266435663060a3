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
source "$HERE/../tests/e2e/lib.bash"
inside_xvfb "$0" "$build" "$runs"
cd "$build/game"
out="$(mktemp)"
SCRATCH+=("$out")
now() { date +%s.%N; }
# seconds_since <start> [less]: the time since start, less a second figure.
seconds_since() { awk -v a="$(now)" -v b="$1" -v c="${2:-0}" 'BEGIN { printf "%.3f", a - b - c }'; }
# Each wait gives up after 60 s: a game that never shows or never reports.
results=()
for run in $(seq 1 "$runs"); do
    start=$(now)
    deadline=$((SECONDS + 60))
    ./vorlaxis >"$out" 2>/dev/null &
    game=$!
    GAMES+=("$game")
    window=""
    while [ -z "$window" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no game window after 60 s"
        window="$(xdotool search --name '^Vorlaxis V1.0$' 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] || sleep 0.01
    done
    shown=$(seconds_since "$start")
    xdotool key --window "$window" Escape
    until grep -q '^FPS: ' "$out"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no statistics report after 60 s"
        sleep 0.01
    done
    first=$(seconds_since "$start" 1.0)
    fps="$(sed -n 's/^FPS: //p' "$out" | head -n 1)"
    send_keys "$window" alt+F4
    timeout 60 tail --pid="$game" -f /dev/null || fail "the game did not close"
    wait "$game"
    results+=("$first")
    printf '  run %d: window after %.2f s, first main-loop frame after %.2f s (first second at %s FPS)\n' \
        "$run" "$shown" "$first" "$fps"
done
median=$(printf '%s\n' "${results[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
printf 'startup_time: median %.2f s from start to the first main-loop frame, intro skipped (%d runs)\n' "$median" "$runs"
