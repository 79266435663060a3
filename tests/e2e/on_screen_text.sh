#!/usr/bin/env bash
# The on-screen text as a player sees it: after F10 "Bloom off" bottom left
# and the fleets top right, after Ctrl+Y the home planet's card top left
# counting down to its next ship, after P the pause sign until P again, the
# card's side colour changed by F6, nothing after F2. tesseract reads the screen where it is installed; the console
# must not change either way.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

# screen_text <crop>: the light text of the screen region (the backing
# panels keep the sky behind it dark).
screen_text() {
    import -window root -crop "$1" +repage shot.png
    convert shot.png -colorspace gray -threshold 62% -negate -resize 300% ocr.png
    tesseract ocr.png - --psm 6 2>/dev/null | tr '\n' ' '
}

# expect <shown|gone> <crop> <pattern> <seconds>: waits until the region
# shows the pattern, or no longer does.
expect() {
    command -v tesseract >/dev/null || return 0
    local deadline=$((SECONDS + $4)) text
    while true; do
        text="$(screen_text "$2")"
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

echo "-- F10: the console's line in a player's words, the status top right"
send_keys "$WINDOW" F10
expect shown "$MESSAGES" 'Bloom off' 4
expect shown "$STATUS" 'Ships: you [0-9]*, enemy [0-9]* [0-9]* FPS' 5

echo "-- Ctrl+Y: the home planet's card, its next ship counting down"
CARD="$((W / 4))x$((H / 6))+$X+$Y"
xdotool mousemove $((X + 30)) $((Y + 30)) # off the planets, clear of the scrolling border
send_keys "$WINDOW" ctrl+y
expect shown "$CARD" 'Owner: you, devel' 5
next_ship() { screen_text "$CARD" | sed -n 's/.*Next ship in \([0-9][0-9]*\) *s.*/\1/p'; }
for try in 1 2 3 4 5 6; do # OCR may misread; the count starts over as a ship leaves
    command -v tesseract >/dev/null || break
    first="$(next_ship)" && sleep 1.2 && second="$(next_ship)"
    [ "${second:-99}" -lt "${first:-0}" ] && break
    [ "$try" -lt 6 ] || fail "no countdown: '$first' then '$second'"
done

echo "-- P: paused until P again (messages first: they fade after four seconds)"
send_keys "$WINDOW" p
expect shown "$MESSAGES" 'Game paused' 4
expect shown "$CENTRE" 'PAUSED' 5
expect gone "$MESSAGES" 'Game paused' 8
expect shown "$CENTRE" 'PAUSED' 1
send_keys "$WINDOW" p
expect shown "$MESSAGES" 'Game resumed' 4
expect gone "$CENTRE" 'PAUSED' 5

echo "-- F6: the side colour of the card's owner line turns from green to blue"
green_over_blue() {
    import -window root -crop "$((W / 4))x$((H / 15))+$X+$Y" +repage owner.png
    convert owner.png -format '%[fx:mean.g-mean.b]' info:
}
before="$(green_over_blue)" && send_keys "$WINDOW" F6 && sleep 1.5
awk -v b="$before" -v a="$(green_over_blue)" 'BEGIN { exit !(b - a > 0.01) }' || fail "F6 left the colours"

echo "-- F2: hidden"
send_keys "$WINDOW" F2
expect gone "$STATUS" 'FPS' 5
expect gone "$CARD" 'Owner' 1

close_game
grep -q '^ Bloom : 0' out.txt || fail "no bloom line: $(cat out.txt)"
! grep -qE 'paused|resumed|PAUSED' out.txt || fail "the window's text reached the console"
no_gl_errors
echo "PASS"
