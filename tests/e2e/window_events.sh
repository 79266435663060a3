#!/usr/bin/env bash
# What the desktop does to the window: closed during the intro (the game
# skips its main loop, prints the outcome and exits), and hidden as a
# window manager minimises it, shrunk to a single pixel and brought back
# (the game keeps running and draws at its size again).
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

echo "-- closed during the intro"
# Line-buffered, so the last start-up line shows when it is written; the
# intro lasts at least 6.5 s after it.
start_game stdbuf -oL ./vorlaxis
WINDOW="$(wait_for_window 30)" || fail "no game window"
wait_for_text out.txt '^Framebuffer created$' 2 30 || fail "start-up did not finish"
close_window "$WINDOW"
STATUS=0
timeout 20 tail --pid="$GAME" -f /dev/null || fail "the game did not end after its window closed"
wait "$GAME" || STATUS=$?
[ "$STATUS" -eq 0 ] || fail "exit code $STATUS"
[ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
! grep -q '^FPS: ' out.txt || fail "the main loop ran after the window closed"

echo "-- minimised, shrunk and restored"
start_playing
wait_for_text out.txt '^FPS: ' 1 60 || fail "the game does not run"
SIZE="$(window_size "$WINDOW")"
# A window manager answers the minimise request by unmapping the window.
xdotool windowminimize "$WINDOW"
xdotool windowunmap "$WINDOW"
wait_for_more '^FPS: ' 2 30 || fail "the game stopped while minimised"
xdotool windowmap "$WINDOW"
xdotool windowsize "$WINDOW" 1 1
wait_for_size "$WINDOW" 1x1 10 || fail "the window did not shrink: $(window_size "$WINDOW")"
xdotool windowsize "$WINDOW" "${SIZE%x*}" "${SIZE#*x}"
wait_for_size "$WINDOW" "$SIZE" 10 || fail "window is $(window_size "$WINDOW"), was $SIZE"
wait_for_more '^FPS: ' 2 30 || fail "the game stopped after restoring"
not_black "${SIZE}+0+0" "the restored window"
close_game
no_gl_errors
echo "PASS"
