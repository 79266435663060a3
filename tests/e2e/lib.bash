# Helpers for end-to-end tests: the game under Xvfb in scratch game folders
# that go away on every exit, and polling for what the game prints.

# inside_xvfb <script> <arguments...>: reruns the script under its own X
# server unless it already runs under one.
inside_xvfb() {
    if [ "${E2E_INSIDE_XVFB:-}" != 1 ]; then
        E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$@"
    fi
}

# Scratch folders and games, removed and stopped on any exit (a failure or
# ctest's timeout included).
SCRATCH=()
GAMES=()
cleanup() {
    local pid
    for pid in "${GAMES[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "${SCRATCH[@]}"
}
trap cleanup EXIT
trap 'exit 143' INT TERM HUP

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# fresh_game_folder <built game dir>: a scratch copy, made the working folder.
fresh_game_folder() {
    local folder
    folder="$(mktemp -d)"
    SCRATCH+=("$folder")
    cp -r "$1"/. "$folder"/
    cd "$folder"
}

# start_game [command]: runs ./vorlaxis (or the command) in the background,
# output in out.txt and err.txt; GAME is its process id.
start_game() {
    "${@:-./vorlaxis}" >out.txt 2>err.txt &
    GAME=$!
    GAMES+=("$GAME")
}

# start_playing [command]: start_game, then WINDOW is its window, intro skipped.
start_playing() {
    start_game "$@"
    WINDOW="$(wait_for_window 30)" || fail "no game window"
    send_keys "$WINDOW" Escape
}

# wait_for_text <file> <pattern> <count> <seconds>: until the file holds at
# least <count> lines matching the pattern.
wait_for_text() {
    local deadline=$((SECONDS + $4))
    while [ "$(grep -c -- "$2" "$1" 2>/dev/null || true)" -lt "$3" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# wait_for_more <pattern> <count> <seconds>: until out.txt holds <count> more
# such lines than now.
wait_for_more() {
    wait_for_text out.txt "$1" $(($(grep -c -- "$1" out.txt || true) + $2)) "$3"
}

# wait_for_window <seconds>: prints the id of the game window once it exists.
wait_for_window() {
    local deadline=$((SECONDS + $1)) id
    until id="$(xdotool search --name '^Vorlaxis V1.0$' 2>/dev/null | head -n 1)" && [ -n "$id" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
    echo "$id"
}

window_size() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }

# wait_for_size <window> <WxH> <seconds>: until the window has the size.
wait_for_size() {
    local deadline=$((SECONDS + $3))
    until [ "$(window_size "$1")" = "$2" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# send_keys <window> <keys...>: focuses the game window and types the keys.
send_keys() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --delay 80 "${@:2}"
}

# close_game: Alt+F4, then fails unless the game ends with exit code 0.
close_game() {
    local status=0
    send_keys "$WINDOW" alt+F4
    wait "$GAME" || status=$?
    [ "$status" -eq 0 ] || fail "exit code $status: $(tail -n 5 err.txt)"
    ! grep -qE 'runtime error|ERROR: AddressSanitizer' err.txt || fail "sanitizer: $(cat err.txt)"
}

# not_black <WxH+X+Y> <what>: fails if that part of the screen is black.
not_black() {
    local mean
    import -window root screen.png
    mean="$(convert screen.png -crop "$1" -format '%[fx:mean]' info:)"
    awk -v m="$mean" 'BEGIN { exit !(m > 0.01) }' || fail "$2 is black ($mean)"
}

no_gl_errors() { ! grep -q 'GL: ' err.txt || fail "GL errors: $(grep -m 3 'GL: ' err.txt)"; }

# play_briefly <reports> [command]: in the current folder, plays (see
# start_playing) until that many statistics reports, then closes the game
# with Alt+F4; fails without a window, reports, exit code 0 or outcome line.
play_briefly() {
    local reports="$1"
    shift
    start_playing "$@"
    wait_for_text out.txt '^Ships (Computer/Player) (' "$reports" 60 ||
        fail "the game stopped reporting: $(tail -n 5 out.txt) $(tail -n 5 err.txt)"
    close_game
    [ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
}

# close_window <window>: asks the window to close as a window manager's
# close button does.
close_window() { python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$1"; }
