# Helpers for end-to-end tests: a scratch game folder, the game under Xvfb,
# and waiting for what it prints.

# make_game_folder <built game dir>: copies the runnable folder to a scratch
# folder and prints its path.
make_game_folder() {
    local source="$1"
    local folder
    folder="$(mktemp -d)"
    cp -r "$source"/. "$folder"/
    echo "$folder"
}

# wait_for_text <file> <pattern> <count> <seconds>: waits until the file holds
# at least <count> lines matching the pattern.
wait_for_text() {
    local file="$1" pattern="$2" count="$3" seconds="$4"
    local waited=0
    while [ "$(grep -c -- "$pattern" "$file" 2>/dev/null || true)" -lt "$count" ]; do
        sleep 0.5
        waited=$((waited + 1))
        if [ "$waited" -ge $((seconds * 2)) ]; then
            return 1
        fi
    done
}

# wait_for_window <seconds>: prints the id of the game window once it exists.
wait_for_window() {
    local seconds="$1" id=""
    for _ in $(seq 1 $((seconds * 2))); do
        id="$(xdotool search --name '^Vorlaxis V1.0$' 2>/dev/null | head -n 1 || true)"
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.5
    done
    return 1
}

# send_keys <window> <keys...>: focuses the game window and types the keys.
send_keys() {
    local window="$1"
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 80 "$@"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# play_briefly <reports> [command]: in the current folder, starts the game
# (./vorlaxis unless another command is given), skips the
# intro, waits for that many statistics reports, closes the game with
# Alt+F4 and waits for it to end. Output lands in out.txt and err.txt; fails
# the test if the game shows no window, stops reporting or exits non-zero.
play_briefly() {
    local reports="$1" game window status=0
    "${2:-./vorlaxis}" >out.txt 2>err.txt &
    game=$!
    window="$(wait_for_window 30)" || { kill "$game" 2>/dev/null; fail "no game window"; }
    send_keys "$window" Escape
    if ! wait_for_text out.txt '^Ships (Computer/Player) (' "$reports" 60; then
        kill "$game" 2>/dev/null
        fail "the game stopped reporting: $(tail -n 5 out.txt) $(tail -n 5 err.txt)"
    fi
    send_keys "$window" alt+F4
    wait "$game" || status=$?
    [ "$status" -eq 0 ] || fail "exit code $status: $(tail -n 5 err.txt)"
    [ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
}

# close_window <window>: asks the window to close as a window manager's
# close button does.
close_window() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$1"
}
