#!/usr/bin/env bash
# The on-screen text as a player sees it: after F10 the message "Bloom : 0"
# bottom left, after P the pause sign in the middle until P again, fleets and
# frame rate top right, all of it gone after F2. The text is read back with
# tesseract where it is installed; standard output must not change either way.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

# read_text <png> <crop>: the light text of a region as tesseract reads it,
# on one line. Dimmed by its backing panel, the sky behind stays dark.
read_text() {
    convert "$1" -crop "$2" +repage -colorspace gray -threshold 62% -negate -resize 300% ocr.png
    tesseract ocr.png - --psm 6 2>/dev/null | tr '\n' ' '
}

# expect_text <png> <region> <crop> <pattern> [absent]
expect_text() {
    command -v tesseract >/dev/null || return 0
    local text
    text="$(read_text "$1" "$3")"
    if [ "${5:-}" = absent ]; then
        ! grep -q -- "$4" <<<"$text" || fail "$2 of $1 shows '$4': $text"
    else
        grep -q -- "$4" <<<"$text" || fail "$2 of $1 does not show '$4': $text"
    fi
}

shot_after() {
    sleep "$2"
    import -window "$WINDOW" "$1"
}

start_game
WINDOW="$(wait_for_window 30)" || fail "no game window"
send_keys "$WINDOW" Escape
wait_for_text out.txt '^FPS: ' 1 60 || fail "the game does not run"
SIZE="$(window_size "$WINDOW")"
W="${SIZE%x*}"
H="${SIZE#*x}"
MESSAGES="$((W / 3))x160+0+$((H - 160))"
STATUS="$((W / 3))x160+$((W * 2 / 3))+0"
CENTRE="$((W / 2))x200+$((W / 4))+$((H / 2 - 100))"

echo "-- F10: the console's text as a message"
send_keys "$WINDOW" F10
shot_after bloom.png 1
expect_text bloom.png messages "$MESSAGES" 'Bloom : 0'
expect_text bloom.png status "$STATUS" 'Ships: you [0-9]*, enemy [0-9]*'
expect_text bloom.png status "$STATUS" '[0-9] FPS'

echo "-- P: paused until P again"
send_keys "$WINDOW" p
shot_after paused.png 1
expect_text paused.png centre "$CENTRE" 'PAUSED'
expect_text paused.png messages "$MESSAGES" 'Game paused'
shot_after still_paused.png 4.5 # the messages have faded
expect_text still_paused.png centre "$CENTRE" 'PAUSED'
expect_text still_paused.png messages "$MESSAGES" 'Game paused' absent
send_keys "$WINDOW" p
shot_after resumed.png 1
expect_text resumed.png centre "$CENTRE" 'PAUSED' absent
expect_text resumed.png messages "$MESSAGES" 'Game resumed'

echo "-- F2: hidden"
send_keys "$WINDOW" F2
shot_after hidden.png 1
expect_text hidden.png status "$STATUS" 'FPS' absent
expect_text hidden.png messages "$MESSAGES" 'resumed' absent

send_keys "$WINDOW" alt+F4
wait "$GAME" || fail "exit code $?"
# The console shows what it always did: the bloom line, and nothing of the
# pause, which only the window tells.
grep -q '^ Bloom : 0' out.txt || fail "no bloom line: $(cat out.txt)"
! grep -qE 'paused|resumed|PAUSED' out.txt || fail "the window's text reached the console"
! grep -q 'GL: ' err.txt || fail "GL errors: $(cat err.txt)"
[ -z "${KEEP_SHOTS:-}" ] || cp ./*.png "$KEEP_SHOTS"/
echo "PASS"
