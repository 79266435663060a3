#!/usr/bin/env bash
# The on-screen text as a player sees it: after F10 the message "Bloom : 0"
# bottom left, after P the pause sign in the middle until P again, fleets and
# frame rate top right, all of it gone after F2. The window is read back with
# tesseract where it is installed; the console must not change either way.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"
OCR=1
command -v tesseract >/dev/null || { OCR=0 && echo "(no tesseract: the window goes unread)"; }

# read_text <crop>: the light text of a region of the screen, on one line.
# Dimmed by its backing panel, the sky behind the text stays dark.
read_text() {
    import -window root -crop "$1" +repage shot.png
    convert shot.png -colorspace gray -threshold 62% -negate -resize 300% ocr.png
    tesseract ocr.png - --psm 6 2>/dev/null | tr '\n' ' '
}

# expect <shown|gone> <crop> <pattern> <seconds>: waits until the region
# shows the text, or no longer does.
expect() {
    [ "$OCR" = 1 ] || return 0
    local deadline=$((SECONDS + $4)) text
    while true; do
        text="$(read_text "$2")"
        if grep -q -- "$3" <<<"$text"; then
            [ "$1" = gone ] || return 0
        else
            [ "$1" = shown ] || return 0
        fi
        [ "$SECONDS" -lt "$deadline" ] || fail "'$3' not $1 in $2: $text"
    done
}

start_game
WINDOW="$(wait_for_window 30)" || fail "no game window"
send_keys "$WINDOW" Escape
wait_for_text out.txt '^FPS: ' 1 60 || fail "the game does not run"
SIZE="$(window_size "$WINDOW")"
W="${SIZE%x*}"
H="${SIZE#*x}"
AT="$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')"
X="${AT% *}"
Y="${AT#* }"
MESSAGES="$((W / 3))x160+$X+$((Y + H - 160))"
STATUS="$((W / 3))x160+$((X + W * 2 / 3))+$Y"
CENTRE="$((W / 2))x200+$((X + W / 4))+$((Y + H / 2 - 100))"

echo "-- F10: the console's text as a message, the status top right"
send_keys "$WINDOW" F10
expect shown "$MESSAGES" 'Bloom *: *0' 3
expect shown "$STATUS" 'Ships: you [0-9]*, enemy [0-9]*' 5
expect shown "$STATUS" '[0-9] FPS' 5

echo "-- P: paused until P again"
# Messages first: they fade after four seconds.
send_keys "$WINDOW" p
expect shown "$MESSAGES" 'Game paused' 3
expect shown "$CENTRE" 'PAUSED' 5
expect gone "$MESSAGES" 'Game paused' 8
expect shown "$CENTRE" 'PAUSED' 1
send_keys "$WINDOW" p
expect shown "$MESSAGES" 'Game resumed' 3
expect gone "$CENTRE" 'PAUSED' 5

echo "-- F2: hidden"
send_keys "$WINDOW" F2
expect gone "$STATUS" 'FPS' 5
expect gone "$MESSAGES" 'resumed' 1

send_keys "$WINDOW" alt+F4
wait "$GAME" || fail "exit code $?"
# The console shows what it always did: the bloom line, and nothing of the
# pause, which only the window tells.
grep -q '^ Bloom : 0' out.txt || fail "no bloom line: $(cat out.txt)"
! grep -qE 'paused|resumed|PAUSED' out.txt || fail "the window's text reached the console"
! grep -q 'GL: ' err.txt || fail "GL errors: $(cat err.txt)"
echo "PASS"
