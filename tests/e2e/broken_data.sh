#!/usr/bin/env bash
# Damaged game files: a missing and a broken shader, and images cut short.
# The game reports what its loaders report and plays on. (Models that are not
# OBJ files: the model fuzzer; a game without its models: missing_data.sh.)
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
GAME_SOURCE="$(cd "$1" && pwd)"

echo "-- a missing and a broken shader file"
fresh_game_folder "$GAME_SOURCE"
rm Shaders/bloomShader.frag
printf '#version 150\nout vec4 out_color;\nvoid main() { out_color = not glsl; }\n' \
    >Shaders/laserShader.frag
play_briefly 2
grep -qxF 'Fragment shader file Shaders/bloomShader.frag does not exist.' err.txt ||
    fail "no missing-file message: $(cat err.txt)"
# The compile failure, the compiler's log, then the link failure.
grep -A3 -xF 'Shader compilation failed.' out.txt >failure.txt || fail "no compile message"
grep -q 'error' failure.txt || fail "no compiler log: $(cat failure.txt)"
grep -qxF 'Shader linking failed.' failure.txt || fail "no link message: $(cat failure.txt)"
[ "$(grep -c 'Shader compilation failed.' out.txt)" -eq 1 ] || fail "other shaders failed"
no_gl_errors

echo "-- images cut short"
fresh_game_folder "$GAME_SOURCE"
for image in planet1.bmp BackgroundStars.png shiphull.jpg abstractShipPlayer.tif; do
    truncate -s $(($(stat -c %s "Textures/$image") / 2)) "Textures/$image"
done
play_briefly 2
# The bitmap and the large JPEG load what is left of them; the PNG and the
# TIFF are refused, one alert each.
ALERTS="$(grep -c 'ALERT' out.txt || true)"
[ "$ALERTS" -eq 2 ] || fail "$ALERTS alerts for the two refused images, not 2"
grep -qx 'ALERTDone Loading Textures' out.txt || fail "loading did not finish"
echo "PASS"
