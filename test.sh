#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: formatting, unit, GL,
# end-to-end, and the unit tests again under AddressSanitizer + UBSan.
#   ./test.sh          everything above
#   ./test.sh --bench  also runs the benchmarks afterwards
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror

echo "== build and test"
configure_and_build build -DVORLAXIS_WERROR=ON
(cd build && ctest --output-on-failure -j2 --timeout 900)

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DVORLAXIS_WERROR=ON -DVORLAXIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j2 --target unit_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build-asan/tests/unit_tests --gtest_brief=1

if [ "${1:-}" = "--bench" ]; then
    echo "== benchmarks"
    for bench in bench/*.sh; do
        [ -e "$bench" ] && bash "$bench" build
    done
fi
echo "== all tests passed"
