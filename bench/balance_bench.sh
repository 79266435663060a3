#!/usr/bin/env bash
# Plays the balance benchmark: every scripted player against every computer
# opponent, 40 seeds each, in two worker processes, and prints the table.
# Frames of 0.1 s keep the 640 games to a few minutes; --frame 0.0333 plays
# them at 30 frames a second (three times as long).
#   bash bench/balance_bench.sh [build folder] [balance_bench options]
set -euo pipefail
source "$(dirname "$0")/build_bench.bash"
build="${1:-build}"
shift || true
build_bench "$build" balance_bench
time "$build/bench/balance_bench" --frame 0.1 --jobs 2 "$@"
