#!/usr/bin/env bash
# The game folder without its images, without its ship models, and without
# game.config: each time the game starts, plays and ends normally, saying
# only what the loaders say about a missing file.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
GAME_SOURCE="$(cd "$1" && pwd)"

echo "-- no Textures/"
fresh_game_folder "$GAME_SOURCE"
rm -rf Textures
play_briefly 2
# Every one of the 32 images alerts on its own line, between the loading lines,
# and the glyph atlas of the on-screen text once more after them.
[ "$(grep -c '^ALERT' out.txt)" -eq 33 ] || fail "$(grep -c '^ALERT' out.txt) alerts, not 33"
sed -n '/^Loading Textures...$/,/Done Loading Textures$/p' out.txt >loading.txt
[ "$(grep -c '^ALERT$' loading.txt)" -eq 31 ] || fail "alerts not one a line: $(cat loading.txt)"
grep -qx 'ALERTDone Loading Textures' loading.txt || fail "no end of loading after the last alert"
grep -qE '^Ships \(Computer/Player\) \([0-9]+\) vs \([0-9]+\)$' out.txt || fail "no fleet report"

echo "-- no Models/"
fresh_game_folder "$GAME_SOURCE"
rm -rf Models
play_briefly 2
! grep -q 'ALERT' out.txt || fail "an image did not load"
# Hulls without geometry draw nothing, but the ships exist and are counted.
grep -qE '^Ships \(Computer/Player\) \([1-9][0-9]*\) vs \([1-9][0-9]*\)$' out.txt ||
    fail "no fleets: $(cat out.txt)"
no_gl_errors

echo "-- no game.config"
fresh_game_folder "$GAME_SOURCE"
rm game.config
play_briefly 1
# Nothing is echoed: the renderer's first line follows "Init..." directly.
grep -qx 'Init...Loading Textures...' out.txt || fail "something echoed: $(head -n 4 out.txt)"
[ ! -s err.txt ] || fail "standard error: $(cat err.txt)"
echo "PASS"
