#!/usr/bin/env bash
# The game folder without its images, without its ship models, and without
# game.config: each time the game starts, plays and ends normally, saying
# only what the loaders say about a missing file.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.bash"

if [ "${E2E_INSIDE_XVFB:-}" != 1 ]; then
    E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$1"
fi
GAME_SOURCE="$(cd "$1" && pwd)"
SCRATCH=()
trap 'rm -rf "${SCRATCH[@]}"' EXIT
fresh_game_folder() {
    cd "$(make_game_folder "$GAME_SOURCE")"
    SCRATCH+=("$PWD")
}

echo "-- no Textures/"
fresh_game_folder
rm -rf Textures
play_briefly 2
# Every one of the 32 images alerts on its own line, between the loading lines.
[ "$(grep -c '^ALERT' out.txt)" -eq 32 ] || fail "$(grep -c '^ALERT' out.txt) alerts, not 32"
sed -n '/^Loading Textures...$/,/Done Loading Textures$/p' out.txt >loading.txt
[ "$(grep -c '^ALERT$' loading.txt)" -eq 31 ] || fail "alerts not one a line: $(cat loading.txt)"
grep -qx 'ALERTDone Loading Textures' loading.txt || fail "no end of loading after the last alert"
grep -qE '^Ships \(Computer/Player\) \([0-9]+\) vs \([0-9]+\)$' out.txt || fail "no fleet report"

echo "-- no Models/"
fresh_game_folder
rm -rf Models
play_briefly 2
! grep -q 'ALERT' out.txt || fail "an image did not load"
# Hulls without geometry draw nothing, but the ships exist and are counted.
grep -qE '^Ships \(Computer/Player\) \([1-9][0-9]*\) vs \([1-9][0-9]*\)$' out.txt ||
    fail "no fleets: $(cat out.txt)"
! grep -q 'GL: ' err.txt || fail "GL errors: $(cat err.txt)"

echo "-- no game.config"
fresh_game_folder
rm game.config
play_briefly 1
# Nothing is echoed: the renderer's first line follows "Init..." directly.
grep -qx 'Init...Loading Textures...' out.txt || fail "something echoed: $(head -n 4 out.txt)"
[ ! -s err.txt ] || fail "standard error: $(cat err.txt)"
echo "PASS"
