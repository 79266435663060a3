#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: formatting, unit, GL,
# end-to-end, installing the game and its .deb, the unit tests, the headless
# player's games and two end-to-end runs of the game under AddressSanitizer +
# UBSan, and a minute of each fuzz target; last the size of the tests against
# the code.
#   ./test.sh          everything above
#   ./test.sh --bench  also builds and runs the benchmarks afterwards
#   ./test.sh --mutation [ARGS]  only the mutation run: 200 seeded one-line
#                      faults against the tests (scripts/mutate.py ARGS)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages

if [ "${1:-}" = "--mutation" ]; then
    shift
    exec python3 scripts/mutate.py "$@"
fi

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror

echo "== build and test"
BENCH=OFF
[ "${1:-}" != "--bench" ] || BENCH=ON
configure_and_build build -DVORLAXIS_WERROR=ON -DVORLAXIS_BENCH=$BENCH
(cd build && ctest --output-on-failure -j2 --timeout 900)

echo "== install and package"
bash tests/package/install_test.sh build

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DVORLAXIS_WERROR=ON -DVORLAXIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-asan -j2 --target unit_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build-asan/tests/unit_tests --gtest_brief=1

echo "== the headless player's games under AddressSanitizer + UBSan"
cmake --build build-asan -j2 --target player_bot
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build-asan/tests/player_bot

echo "== the game itself under AddressSanitizer + UBSan: start-up, window events"
cmake --build build-asan -j2 --target vorlaxis
# Leaks are left to the unit tests and the player: GL, X and sound libraries
# keep memory of their own until exit. stdbuf preloads a library ahead of ASan.
for script in startup window_events; do
    ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:verify_asan_link_order=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 bash "$PWD/tests/e2e/$script.sh" "$PWD/build-asan/game"
done

echo "== fuzzing: image decoding, model import, WAV reading"
cmake -S . -B build-fuzz -DVORLAXIS_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DVORLAXIS_WERROR=ON
cmake --build build-fuzz -j2
bash tests/fuzz/run.sh build-fuzz 60

if [ "$BENCH" = ON ]; then
    echo "== benchmarks"
    for bench in bench/*.sh; do
        [ -e "$bench" ] && bash "$bench" build
    done
fi
echo "== the size of the tests"
bash scripts/test_proportion.sh
echo "== all tests passed"
