#!/usr/bin/env bash
# Peak memory (maximum resident set size) of a 400 against 400 battle,
# stepped and drawn under Xvfb, next to the same galaxy without the fleets.
#   bench/battle_memory.sh BUILD_DIR [FRAMES]
set -euo pipefail
source "$(dirname "$0")/build_bench.bash"
build=$(cd "${1:-build}" && pwd)
build_bench "$build" battle_memory
frames="${2:-600}"
cd "$build/game"
for per_side in 0 400; do
    xvfb-run -a -s "-screen 0 1920x1080x24" /usr/bin/time -v \
        "$build/bench/battle_memory" "$frames" "$per_side" 2>time.txt
    grep -E 'Maximum resident set size|Elapsed \(wall clock\)' time.txt | sed 's/^\s*/  /'
    rm -f time.txt
done
