#!/usr/bin/env bash
# Sound through OpenAL Soft's wave-file backend, which writes what a sound
# card would play. Without music.wav, with a victory.wav over 64 MiB and with
# 4 sources, far fewer than the game asks for, it says so and the effects are
# heard. With a backend that does not exist the game says so once and plays
# on. (M: sound_server.sh.)
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"
rm Sounds/music.wav
truncate -s 65M Sounds/victory.wav
printf '[general]\ndrivers = wave\nsources = 4\n[wave]\nfile = %s/played.wav\n' "$PWD" >alsoft.conf

# The first ships leave their planets after some 16 s.
play_briefly 22 env -u ALSOFT_DRIVERS ALSOFT_CONF="$PWD/alsoft.conf" ./vorlaxis
[ "$(cat err.txt)" = "Sound: Sounds/victory.wav larger than 64 MiB; playing without it
Sound: Sounds/music.wav missing or broken; playing without it
Sound: the device gave 4 of 34 sources; fewer sounds play at once" ] || fail "$(cat err.txt)"

# Quarter seconds of the file (32-bit float samples) that are audible.
python3 - played.wav <<'PY' || fail "the effects are not heard"
import array, math, struct, sys
data = open(sys.argv[1], "rb").read()
channels, rate = struct.unpack("<HI", data[22:28])
body = data[data.index(b"data") + 8:]
samples = array.array("f", body[:len(body) // 4 * 4])
window = rate // 4 * channels
levels = [math.sqrt(sum(v * v for v in samples[i:i + window]) / window)
          for i in range(0, len(samples) - window + 1, window)]
print("quarter seconds:", len(levels), "audible:", sum(level > 0.003 for level in levels))
assert any(level > 0.003 for level in levels)
PY

# No such backend: the game runs silent, says why once, and ends well.
play_briefly 2 env ALSOFT_DRIVERS=nonexistent ./vorlaxis
[ "$(grep -c '^Sound disabled: ' err.txt)" -eq 1 ] || fail "not told once: $(cat err.txt)"
echo "PASS"
