#!/usr/bin/env bash
# Lines of tests against lines of game and tool code, as git tracks them.
# Every top-level folder that is not tests, benchmarks, packaging, scripts
# or hidden counts as code, so a new folder of game code counts at once. Fails above the house limit (default a third, 0.333).
#   scripts/test_proportion.sh [LIMIT]
set -euo pipefail
cd "$(dirname "$0")/.."
limit="${1:-0.333}"
lines() { git ls-files -z -- "$@" | xargs -0 -r cat | wc -l; }
code_folders=()
for folder in $(git ls-files | sed -n 's|^\([^/]*\)/.*|\1|p' | sort -u); do
    case "$folder" in
    tests | bench | packaging | scripts | .*) ;;
    *) code_folders+=("$folder") ;;
    esac
done
tests=$(lines tests)
code=$(lines "${code_folders[@]}")
awk -v t="$tests" -v c="$code" -v limit="$limit" -v folders="${code_folders[*]}" 'BEGIN {
    ratio = t / c
    printf "tests/: %d lines, code (%s): %d lines, ratio %.3f (limit %.3f)\n", t, folders, c, ratio, limit
    exit ratio > limit
}'
