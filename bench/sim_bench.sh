#!/usr/bin/env bash
# Runs the simulation benchmark on one core and reports the median step at
# each battle size and the ratio of the largest to the smallest.
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
         END {
            split("40 100 200 400", sizes, " ")
            for (i = 1; i <= 4; ++i) {
                n = sizes[i]
                printf "median step, %d ships a side: %s %s\n", n, median[n], unit[n]
            }
            if (median[40] > 0) printf "400/40 ratio: %.1f\n", median[400] / median[40]
         }' "$out"
