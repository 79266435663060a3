#!/usr/bin/env bash
# Starts the real game under Xvfb, skips the intro, lets it report twice,
# closes it with Alt+F4, and checks everything it printed. Then starts it
# without a display, where it must fail cleanly.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"

start_game
WINDOW="$(wait_for_window 30)" || fail "no game window"
send_keys "$WINDOW" Escape
wait_for_text out.txt '^Ships (Computer/Player) (' 2 60 || fail "fewer than two reports: $(cat out.txt)"
send_keys "$WINDOW" alt+F4
STATUS=0
wait "$GAME" || STATUS=$?

cat out.txt
[ "$STATUS" -eq 0 ] || fail "exit code $STATUS"
FIRST_PAIR="$(head -n 1 game.config | sed 's/=/:/')"
grep -qxF "Init...$FIRST_PAIR" out.txt || fail "first echoed pair not on the Init... line"
grep -qE '^FPS: [0-9]+$' out.txt || fail "FPS line is not a whole number"
grep -qE '^Draw average [0-9]+ Spaceships, [0-9]+ Planets$' out.txt || fail "no draw average line"
REPORTS="$(grep -cE '^Ships \(Computer/Player\) \([0-9]+\) vs \([0-9]+\)$' out.txt)"
[ "$REPORTS" -ge 2 ] || fail "only $REPORTS fleet reports"
grep -qE '^Ships \(Computer/Player\) \([1-5]\) vs \(5\)$' out.txt || fail "home fleets missing"
[ "$(tail -n 1 out.txt)" = "Your empire got crushed - you have lost" ] || fail "no outcome line"
! grep -q 'GL: ' err.txt || fail "GL errors: $(cat err.txt)"

# Without a display no window can open.
STATUS=0
env -u DISPLAY -u WAYLAND_DISPLAY ./vorlaxis >out2.txt 2>err2.txt || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "exit code $STATUS without a display"
grep -qxF "Failed to initialize OpenGL window." err2.txt || fail "no window failure message"
echo "PASS"
