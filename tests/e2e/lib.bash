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
