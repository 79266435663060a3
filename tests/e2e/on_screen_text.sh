#!/usr/bin/env bash
# The on-screen text as a player sees it: after F10 "Bloom : 0" bottom left
# and the fleets top right, after P the pause sign until P again, nothing
# after F2. tesseract reads the screen where it is installed; the console
# must not change either way.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

# expect <shown|gone> <crop> <pattern> <seconds>: waits until the light text
# of the screen region (the backing panels keep the sky behind it dark)
# shows the pattern, or no longer does.
expect() {
    command -v tesseract >/dev/null || return 0
    local deadline=$((SECONDS + $4)) text
    while true; do
        import -window root -crop "$2" +repage shot.png
        convert shot.png -colorspace gray -threshold 62% -negate -resize 300% ocr.png
        text="$(tesseract ocr.png - --psm 6 2>/dev/null | tr '\n' ' ')"
        if grep -q -- "$3" <<<"$text"; then [ "$1" = gone ] || return 0; else [ "$1" = shown ] || return 0; fi
        [ "$SECONDS" -lt "$deadline" ] || fail "'$3' not $1 in $2: $text"
    done
}

start_playing
wait_for_text out.txt '^FPS: ' 1 60 || fail "the game does not run"
read -r W H X Y < <(xdotool getwindowgeometry "$WINDOW" | tr -c '0-9\n' ' ' | tr -s ' \n' ' ' |
    awk '{ print $5, $6, $2, $3 }') # Window ID, Position X,Y (screen N), Geometry WxH
MESSAGES="$((W / 3))x160+$X+$((Y + H - 160))"
STATUS="$((W / 3))x160+$((X + W * 2 / 3))+$Y"
CENTRE="$((W / 2))x200+$((X + W / 4))+$((Y + H / 2 - 100))"

echo "-- F10: the console's text as a message, the status top right"
send_keys "$WINDOW" F10
expect shown "$MESSAGES" 'Bloom *: *0' 3
expect shown "$STATUS" 'Ships: you [0-9]*, enemy [0-9]* [0-9]* FPS' 5

echo "-- P: paused until P again (messages first: they fade after four seconds)"
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

close_game
grep -q '^ Bloom : 0' out.txt || fail "no bloom line: $(cat out.txt)"
! grep -qE 'paused|resumed|PAUSED' out.txt || fail "the window's text reached the console"
no_gl_errors
echo "PASS"
