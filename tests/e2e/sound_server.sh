#!/usr/bin/env bash
# A PulseAudio server of the test's own (a null sink) killed under the game
# and started again: the game says so once each way, its stream is back within
# 10 s, M holds through it and silences the music playing, and no frame of
# the minute spends over 50 ms on sound (software rendering makes whole
# frames slower than that), and nothing is left for OpenAL to clean up.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
fresh_game_folder "$1"
command -v pulseaudio >/dev/null || fail "no pulseaudio: scripts/setup.sh installs it"
# No session bus and root in CI: the server and its clients keep to this folder.
export HOME="$PWD" XDG_RUNTIME_DIR="$PWD" PULSE_RUNTIME_PATH="$PWD/pulse"
export PULSE_SERVER="unix:$PWD/pulse.sock"

start_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=game" \
        --load="module-native-protocol-unix socket=$PWD/pulse.sock auth-anonymous=1" >>pulse.txt 2>&1 &
    SERVER=$!
    GAMES+=("$SERVER")
    for _ in $(seq 50); do timeout 1 pactl info >/dev/null 2>&1 && return || sleep 0.1; done
    fail "no sound server: $(tail -n 3 pulse.txt)"
}
# The loudest sample the null sink plays in a second.
level() {
    { timeout 1 parec -d game.monitor --format=s16le --channels=1 --raw || true; } |
        od -An -v -td2 -w2 | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}
has_stream() { [ -n "$(timeout 1 pactl list short sink-inputs 2>/dev/null)" ]; }
ms() { echo $(($(date +%s%N) / 1000000)); }

start_server
start_playing env ALSOFT_DRIVERS=pulse ALSOFT_LOGLEVEL=2 ALSOFT_LOGFILE="$PWD/openal.log" \
    VORLAXIS_FRAME_TIMES=1 ./vorlaxis
wait_for_text err.txt '^Frame times' 25 90 || fail "no frame times: $(tail -n 5 err.txt)"
has_stream && kill -KILL "$SERVER" || fail "the game plays no stream: $(cat err.txt)"
wait "$SERVER" || true
wait_for_text err.txt '^Sound device lost; trying to reconnect$' 1 5 || fail "loss unsaid"
send_keys "$WINDOW" m
sleep 4
start_server
back=$(ms)
until has_stream; do [ $(($(ms) - back)) -lt 10000 ] || fail "no stream: $(cat err.txt)"; done
echo "stream back $(($(ms) - back)) ms after the server"
wait_for_text err.txt '^Sound device back$' 1 5 || fail "return unsaid: $(cat err.txt)"
[ "$(level)" -eq 0 ] || fail "sound while muted"
send_keys "$WINDOW" m
[ "$(level)" -gt 300 ] || fail "no music after the return"
send_keys "$WINDOW" m
sleep 0.5
[ "$(level)" -eq 0 ] || fail "the music plays on after M"
wait_for_text err.txt '^Frame times' 60 90 || fail "the game stopped"
close_game
[ "$(grep -c '^Sound device' err.txt)" -eq 2 ] || fail "not said once each way: $(cat err.txt)"
! grep -q 'sources; fewer sounds' err.txt || fail "a shortfall told of a full device: $(cat err.txt)"
# Both devices closed with every buffer and source deleted: none left to OpenAL.
! grep -E 'Deleted [0-9]+ (Buffer|Source)' openal.log || fail "sound objects left behind"
awk '/^Frame times/ { if ($4 > f) f = $4; if ($7 > s) s = $7 }
     END { printf "longest frame %.1f ms, longest sound %.2f ms\n", f, s; exit !(s <= 50) }' \
    err.txt || fail "sound held up a frame"
echo "PASS"
