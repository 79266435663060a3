#!/usr/bin/env bash
# Runs the simulation benchmark on one core and reports the median step at
# each battle size, the ratio of the largest to the smallest, and what one
# frame of the 400 against 400 battle at four times the speed costs against
# four frames at normal speed (the same four steps: at most 1.0).
#   bash bench/sim_bench.sh [build folder]     (default: build)
set -euo pipefail
source "$(dirname "$0")/build_bench.bash"
build="${1:-build}"
build_bench "$build" sim_bench
bench="$build/bench/sim_bench"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
pin=()
if command -v taskset >/dev/null 2>&1; then
    pin=(taskset -c 0)
fi
"${pin[@]}" "$bench" >"$out"
cat "$out"
awk '/^BM_BattleStep\/.*manual_time_median/ {
            split($1, name, "/"); median[name[2]] = $2; unit[name[2]] = $3
         }
         /^BM_BattleFourSteps\/400\/.*manual_time_median/ { split($1, name, "/"); four[name[3]] = $2 }
         END {
            split("40 100 200 400", sizes, " ")
            for (i = 1; i <= 4; ++i) {
                n = sizes[i]
                printf "median step, %d ships a side: %s %s\n", n, median[n], unit[n]
            }
            if (median[40] > 0) printf "400/40 ratio: %.1f\n", median[400] / median[40]
            if (four[1] > 0)
                printf "400 a side, four normal frames: %s, one frame at four times: %s %s (%.2f)\n",
                       four[1], four[4], unit[400], four[4] / four[1]
         }' "$out"
