#!/usr/bin/env bash
# Starts the real game under Xvfb and checks its render start-up lines, then
# switches to full-screen mode and back with Alt+Enter: the one window grows
# to the usable screen and shrinks back to three quarters of it, and the
# game goes on drawing without a GL error.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

start_game
WINDOW="$(wait_for_window 30)" || fail "no game window"
send_keys "$WINDOW" Escape
wait_for_text out.txt '^FPS: ' 1 60 || fail "the game does not run: $(cat out.txt)"
[ "$(window_size "$WINDOW")" = "1440x810" ] || fail "window is $(window_size "$WINDOW")"

send_keys "$WINDOW" alt+Return
wait_for_text out.txt '^Switched to Fullscreen Mode$' 1 30 || fail "no full-screen message"
wait_for_size "$WINDOW" 1920x1080 10 || fail "full screen is $(window_size "$WINDOW")"
wait_for_text out.txt '^Framebuffer created$' 3 30 || fail "no target at the full-screen size"

send_keys "$WINDOW" alt+Return
wait_for_text out.txt '^Switched to Window Mode$' 1 30 || fail "no window-mode message"
wait_for_size "$WINDOW" 1440x810 10 || fail "window mode is $(window_size "$WINDOW")"
FPS_LINES="$(grep -c '^FPS: ' out.txt)"
wait_for_text out.txt '^FPS: ' $((FPS_LINES + 1)) 30 || fail "no frames after the switches"

send_keys "$WINDOW" alt+F4
wait "$GAME" || fail "exit code $?"

cat out.txt
grep -qxF "Loading Textures..." out.txt || fail "no texture loading line"
grep -qxF "Done Loading Textures" out.txt || fail "no end of texture loading"
! grep -q 'ALERT' out.txt || fail "an image did not load"
! grep -qi 'shader' out.txt err.txt || fail "shader messages: $(cat err.txt)"
[ ! -s err.txt ] || fail "standard error: $(cat err.txt)"
echo "PASS"
