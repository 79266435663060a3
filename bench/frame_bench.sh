#!/usr/bin/env bash
# Frame benchmark: whole frames rendered under Xvfb at 1440 x 780.
#   bench/frame_bench.sh BUILD_DIR [FRAMES] [SHOT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/build_bench.bash"
build=$(cd "${1:-build}" && pwd)
build_bench "$build" frame_bench
shots=()
if [ -n "${3:-}" ]; then
    mkdir -p "$3"
    shots=("$(cd "$3" && pwd)")
fi
cd "$build/game"
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/frame_bench" "${2:-15}" "${shots[@]}"
cmake --build "$build" -j2 --target sound_bench >/dev/null && ALSOFT_DRIVERS=null "$build/bench/sound_bench"
