#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from the seeds the project writes
# itself and the corpus earlier runs grew, kept in .cache/fuzz (ignored by
# git). Fails on any crash, sanitizer report or broken invariant.
#   tests/fuzz/run.sh BUILD_FUZZ_DIR [SECONDS_PER_TARGET]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds="${2:-60}"
work="$build/fuzz-run"
corpus="$(cd "$(dirname "$0")/../.." && pwd)/.cache/fuzz"
rm -rf "$work"
mkdir -p "$work"
"$build/tests/fuzz/make_seeds" "$work/seeds"
# The WAV reader starts from the game's own sounds, the long ones cut short.
mkdir -p "$work/seeds/wav"
for sound in "$build"/game/Sounds/*.wav; do
    head -c 65536 "$sound" >"$work/seeds/wav/$(basename "$sound")"
done

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Limits that fit this machine: a decoder asking for more than 1 GiB, or
# spending 10 s on one input, is a finding.
status=0
for target in image model wav; do
    mkdir -p "$corpus/$target" "$work/findings-$target"
    if ! "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 \
        -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/findings-$target/" \
        "$corpus/$target" "$work/seeds/$target" >"$work/$target.log" 2>&1; then
        echo "FAIL: ${target}_fuzz" >&2
        tail -n 60 "$work/$target.log" >&2
        ls -l "$work/findings-$target" >&2
        status=1
    else
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
        cover=$(grep -o 'cov: [0-9]*' "$work/$target.log" | tail -n 1)
        echo "${target}_fuzz: $runs inputs in ${seconds}s, $cover, corpus $(ls "$corpus/$target" | wc -l)"
    fi
done
exit "$status"
