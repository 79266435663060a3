# Helpers for end-to-end tests: the game under Xvfb in scratch game folders
# that go away on every exit, and polling for what the game prints.

# inside_xvfb <script> <arguments...>: runs the script again under its own
# X server unless it already is.
inside_xvfb() {
    if [ "${E2E_INSIDE_XVFB:-}" != 1 ]; then
        E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$@"
    fi
}

# Scratch folders and games started by the test, removed and stopped on any
# exit, a failure or a signal (ctest's timeout) included.
SCRATCH=()
GAMES=()
cleanup() {
    local pid
    for pid in "${GAMES[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "${SCRATCH[@]}"
}
trap cleanup EXIT
trap 'exit 143' INT TERM HUP

# fresh_game_folder <built game dir>: copies the runnable folder to a scratch
# folder and makes it the working folder.
fresh_game_folder() {
    local folder
    folder="$(mktemp -d)"
    SCRATCH+=("$folder")
    cp -r "$1"/. "$folder"/
    cd "$folder"
}

# start_game [command]: starts the game (./vorlaxis) in the background with
# its output in out.txt and err.txt; GAME holds its process id.
start_game() {
    "${@:-./vorlaxis}" >out.txt 2>err.txt &
    GAME=$!
    GAMES+=("$GAME")
}

# wait_for_text <file> <pattern> <count> <seconds>: waits until the file holds
# at least <count> lines matching the pattern.
wait_for_text() {
    local file="$1" pattern="$2" count="$3" seconds="$4"
    local deadline=$((SECONDS + seconds))
    while [ "$(grep -c -- "$pattern" "$file" 2>/dev/null || true)" -lt "$count" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# wait_for_window <seconds>: prints the id of the game window once it exists.
wait_for_window() {
    local deadline=$((SECONDS + $1)) id=""
    while [ "$SECONDS" -lt "$deadline" ]; do
        id="$(xdotool search --name '^Vorlaxis V1.0$' 2>/dev/null | head -n 1 || true)"
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

window_size() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'
}

# wait_for_size <window> <WxH> <seconds>: waits until the window has the size.
wait_for_size() {
    local deadline=$((SECONDS + $3))
    until [ "$(window_size "$1")" = "$2" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
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
    local reports="$1" window status=0
    shift
    start_game "$@"
    window="$(wait_for_window 30)" || fail "no game window"
    send_keys "$window" Escape
    wait_for_text out.txt '^Ships (Computer/Player) (' "$reports" 60 ||
        fail "the game stopped reporting: $(tail -n 5 out.txt) $(tail -n 5 err.txt)"
    send_keys "$window" alt+F4
    wait "$GAME" || status=$?
    [ "$status" -eq 0 ] || fail "exit code $status: $(tail -n 5 err.txt)"
    [ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
}

# close_window <window>: asks the window to close as a window manager's
# close button does.
close_window() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$1"
}
