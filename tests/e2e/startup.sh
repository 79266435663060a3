#!/usr/bin/env bash
# Starts the real game under Xvfb, skips the intro, lets it report twice,
# switches to full screen and back with Alt+Enter (the one window grows to
# the usable screen and shrinks back to three quarters of it), closes it with
# Alt+F4, and checks everything it printed. Then starts it without a
# display, where it must fail cleanly.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

start_playing
wait_for_text out.txt '^Ships (Computer/Player) (' 2 60 || fail "fewer than two reports: $(cat out.txt)"
[ "$(window_size "$WINDOW")" = "1440x810" ] || fail "window is $(window_size "$WINDOW")"
send_keys "$WINDOW" alt+Return
wait_for_text out.txt '^Switched to Fullscreen Mode$' 1 30 || fail "no full-screen message"
wait_for_size "$WINDOW" 1920x1080 10 || fail "full screen is $(window_size "$WINDOW")"
wait_for_text out.txt '^Framebuffer created$' 3 30 || fail "no target at the full-screen size"
send_keys "$WINDOW" alt+Return
wait_for_text out.txt '^Switched to Window Mode$' 1 30 || fail "no window-mode message"
wait_for_size "$WINDOW" 1440x810 10 || fail "window mode is $(window_size "$WINDOW")"
wait_for_more '^FPS: ' 1 30 || fail "no frames after the switches"
# The GL context lived through both switches: the picture still has its
# textures and is not black.
not_black 1440x810+0+0 "the picture after the switches"
close_game
cat out.txt
FIRST_PAIR="$(head -n 1 game.config | sed 's/=/:/')"
grep -qxF "Init...$FIRST_PAIR" out.txt || fail "first echoed pair not on the Init... line"
grep -qE '^FPS: [0-9]+$' out.txt || fail "FPS line is not a whole number"
grep -qE '^Draw average [0-9]+ Spaceships, [0-9]+ Planets$' out.txt || fail "no draw average line"
grep -qE '^Ships \(Computer/Player\) \([1-5]\) vs \(5\)$' out.txt || fail "home fleets missing"
! grep -qiE 'GL: |shader' err.txt || fail "GL or shader errors: $(cat err.txt)"

# Without a display no window can open.
STATUS=0
env -u DISPLAY -u WAYLAND_DISPLAY ./vorlaxis >out2.txt 2>err2.txt || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "exit code $STATUS without a display"
grep -qxF "Failed to initialize OpenGL window." err2.txt || fail "no window failure message"
echo "PASS"
