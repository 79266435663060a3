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

# The file's 32-bit float samples: without music only the effects sound.
python3 - played.wav <<'PY' || fail "the effects are not heard"
import array, sys
data = open(sys.argv[1], "rb").read()
body = data[data.index(b"data") + 8:]
peak = max(map(abs, array.array("f", body[:len(body) // 4 * 4])))
print("peak", peak)
assert peak > 0.01
PY

# No such backend: the game runs silent, says why once, and ends well.
play_briefly 2 env ALSOFT_DRIVERS=nonexistent ./vorlaxis
[ "$(grep -c '^Sound disabled: ' err.txt)" -eq 1 ] || fail "not told once: $(cat err.txt)"
echo "PASS"
