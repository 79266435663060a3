#!/usr/bin/env bash
# Sound through OpenAL Soft's wave-file backend, which writes what a sound
# card would play. Without music.wav and with 4 sources, far fewer than the
# game asks for, it says both, and the effects are audible until M mutes them
# and silent from then on. With a backend that does not exist the game says so
# once and plays on.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"
rm Sounds/music.wav
printf '[general]\ndrivers = wave\nsources = 4\n[wave]\nfile = %s/played.wav\n' "$PWD" >alsoft.conf

start_playing env -u ALSOFT_DRIVERS ALSOFT_CONF="$PWD/alsoft.conf" ./vorlaxis
# The first ships leave their planets after some 16 s.
wait_for_text out.txt '^Ships (Computer/Player) (' 20 60 || fail "no reports: $(cat err.txt)"
send_keys "$WINDOW" m
wait_for_text out.txt '^Sound off$' 1 10 || fail "M printed no 'Sound off'"
wait_for_text out.txt '^Ships (Computer/Player) (' 5 60 || fail "no reports after M"
close_game
[ "$(cat err.txt)" = "Sound: Sounds/music.wav missing or broken; playing without it
Sound: the device gave 4 of 34 sources; fewer sounds play at once" ] || fail "$(cat err.txt)"

# Quarter seconds of the file: audible ones first, then only silence for at
# least the two seconds after M.
python3 - played.wav <<'PY' || fail "the played file is not audible, then silent"
import math, struct, sys
data = open(sys.argv[1], "rb").read()
at, fmt, samples = 12, None, None
while at + 8 <= len(data):
    chunk, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
    if chunk == b"fmt ":
        fmt = struct.unpack("<HHIIHH", data[at + 8:at + 24])
    if chunk == b"data":
        body = data[at + 8:]
        samples = struct.unpack("<%df" % (len(body) // 4), body[:len(body) // 4 * 4])
        break
    at += 8 + size + (size & 1)
channels, rate, bits = fmt[1], fmt[2], fmt[5]
assert bits == 32, fmt
window = rate // 4 * channels
levels = [math.sqrt(sum(v * v for v in samples[i:i + window]) / window)
          for i in range(0, len(samples) - window + 1, window)]
loud = [i for i, level in enumerate(levels) if level > 0.003]
print("quarter seconds:", len(levels), "audible:", len(loud))
assert len(loud) >= 2, "too little sound before M"
assert len(levels) - 1 - loud[-1] >= 8, "sound after M"
PY

# No such backend: the game runs silent, says why once, and ends well.
play_briefly 2 env ALSOFT_DRIVERS=nonexistent ./vorlaxis
[ "$(grep -c '^Sound disabled: ' err.txt)" -eq 1 ] || fail "not told once: $(cat err.txt)"
echo "PASS"
