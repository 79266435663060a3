#!/usr/bin/env bash
# Resident memory of the real game over many games in one process: every
# game ends in defeat a few seconds into play (VORLAXIS_TEST_ENDS) and Enter
# starts the next; the game's RSS is read from /proc after each end screen.
# Prints the figure after every game and the change from game 2 to the last.
#   bash bench/rematch_memory.sh [build folder] [games]   (default: build 20)
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.bash"
build="$(cd "${1:-build}" && pwd)"
games="${2:-20}"
inside_xvfb "$0" "$build" "$games"
fresh_game_folder "$build/game"

ends="$(printf 'defeat,%.0s' $(seq "$games"))"
export ALSOFT_DRIVERS=null
VORLAXIS_TEST_ENDS="${ends%,}" start_playing stdbuf -oL ./vorlaxis
rss=()
for game in $(seq "$games"); do
    wait_for_text out.txt '^Your empire got crushed - you have lost$' "$game" 120 ||
        fail "game $game did not end: $(tail -n 3 err.txt)"
    sleep 0.5
    rss+=("$(awk '/^VmRSS:/ { print $2 }' "/proc/$GAME/status")")
    echo "after game $game: ${rss[-1]} kB"
    [ "$game" -eq "$games" ] && break
    send_keys "$WINDOW" Return
    wait_for_text out.txt '^New galaxy$' "$game" 20 || fail "no new galaxy after game $game"
    send_keys "$WINDOW" Escape
done
close_game
awk -v a="${rss[1]}" -v b="${rss[-1]}" -v n="$games" \
    'BEGIN { printf "RSS after game 2: %d kB, after game %d: %d kB (%+.1f %%)\n", a, n, b, (b / a - 1) * 100 }'
