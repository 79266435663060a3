#!/usr/bin/env bash
# The mix a player hears in a 400 against 400 battle in view: the sound
# benchmark's battle recorded through OpenAL Soft's wave-file backend three
# times, with everything, with the effects alone (no music file) and with the
# music alone (no effect files), each as loudness in half-second windows.
#   bench/sound_mix.sh BUILD_DIR [FRAMES]
set -euo pipefail
source "$(dirname "$0")/build_bench.bash"
build=$(cd "${1:-build}" && pwd)
build_bench "$build" sound_bench
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

record() { # record NAME FILES-TO-REMOVE...
    local folder="$scratch/$1"
    shift
    cp -r "$build/game" "$folder"
    (cd "$folder/Sounds" && rm -f "$@")
    printf '[general]\ndrivers = wave\n[wave]\nfile = %s/played.wav\n' "$folder" >"$folder/alsoft.conf"
    (cd "$folder" && ALSOFT_CONF="$folder/alsoft.conf" "$build/bench/sound_bench" "${FRAMES:-600}" >/dev/null 2>&1)
}
FRAMES="${2:-600}"
record all
record effects music.wav
record music $(cd "$build/game/Sounds" && ls | grep -vx music.wav)

python3 - "$scratch" <<'PY'
import array, math, sys
def windows(path):
    data = open(path, "rb").read()
    body = data[data.index(b"data") + 8:]
    samples = array.array("f", body[:len(body) // 4 * 4])  # 32-bit float stereo
    size = 44100  # half a second of both channels
    levels = []
    for start in range(0, len(samples) - size, size):
        part = samples[start:start + size]
        rms = math.sqrt(sum(x * x for x in part) / len(part))
        levels.append(20 * math.log10(max(rms, 1e-10)))
    return sorted(levels), max(map(abs, samples))
median = {}
for name in ("all", "effects", "music"):
    levels, peak = windows(f"{sys.argv[1]}/{name}/played.wav")
    median[name] = levels[len(levels) // 2]
    print(f"sound_mix {name:8s} median {median[name]:6.1f} dBFS  loudest {levels[-1]:6.1f} dBFS  peak {peak:.2f}")
print(f"sound_mix effects above the music: {median['effects'] - median['music']:.1f} dB")
PY
