#!/usr/bin/env bash
# A new galaxy without quitting: after a defeat and after a victory, Enter on
# the end screen starts the next game in the same process (the new galaxy's
# line, its intro, fresh fleets in its statistics, the end image gone), which
# then plays to its own end. VORLAXIS_TEST_ENDS ends the first two games a few
# seconds into play, as no test can wait out a whole war.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"
SHOTS="${E2E_SHOTS:-}" # a folder to keep the end screens in, for a person to look at

# window_shot <file>: the game window's part of the screen.
window_shot() { import -window root -crop "$(window_size "$WINDOW")+$X+$Y" +repage "$1"; }

# What was printed since the last new galaxy (everything before the first).
since_new_galaxy() { tac out.txt | sed '/^New galaxy$/q' | tac; }

# end_then_enter <outcome line> <games so far>: the end screen shows with its
# Enter line, then Enter starts the next galaxy, whose first report counts
# the starting fleets and whose picture is no longer the end image.
end_then_enter() {
    wait_for_text out.txt "^$1\$" 1 90 || fail "no '$1': $(tail -n 3 out.txt) $(tail -n 3 err.txt)"
    sleep 1
    window_shot end.png
    [ -z "$SHOTS" ] || cp end.png "$SHOTS/end_$2.png"
    if command -v tesseract >/dev/null; then
        convert end.png -gravity South -crop 50%x12%+0+0 -colorspace gray -threshold 62% -negate ocr.png
        tesseract ocr.png - --psm 6 2>/dev/null | grep -q 'Enter for a new galaxy' ||
            fail "no Enter line on the end screen"
    fi
    kill -0 "$GAME" || fail "the game left after its end"
    send_keys "$WINDOW" Return
    wait_for_text out.txt '^New galaxy$' "$2" 20 || fail "Enter started no new galaxy"
    send_keys "$WINDOW" Escape
    local deadline=$((SECONDS + 60)) fleets
    until since_new_galaxy | grep -q '^Ships (Computer/Player) ('; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the new galaxy does not run"
        sleep 0.2
    done
    fleets="$(since_new_galaxy | grep -m1 '^Ships (Computer/Player) (')"
    [[ "$fleets" =~ ^Ships\ \(Computer/Player\)\ \(([0-9]+)\)\ vs\ \(([0-9]+)\)$ ]] &&
        [ "${BASH_REMATCH[1]}" -le 8 ] && [ "${BASH_REMATCH[2]}" -le 8 ] ||
        fail "not the new galaxy's fleets: $fleets"
    window_shot play.png
    awk -v d="$(compare -metric RMSE end.png play.png null: 2>&1 | sed 's/.*(\(.*\))/\1/')" \
        'BEGIN { exit !(d > 0.1) }' || fail "the end image stayed"
}

VORLAXIS_TEST_ENDS=defeat,victory start_playing stdbuf -oL ./vorlaxis
read -r X Y < <(xdotool getwindowgeometry "$WINDOW" |
    sed -n 's/^ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')

echo "-- a defeat, then Enter"
end_then_enter 'Your empire got crushed - you have lost' 1
echo "-- the new galaxy plays to a victory, then Enter again"
end_then_enter 'EPIC VICTORY' 2
[ "$(grep -c '^Init\.\.\.' out.txt)" -eq 1 ] || fail "the program started over"

echo "-- the third galaxy plays on until the window closes"
wait_for_more '^Ships (Computer/Player) (' 2 60 || fail "the third galaxy does not run"
close_game
[ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
no_gl_errors
echo "PASS"
