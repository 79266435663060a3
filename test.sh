#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: formatting, unit, GL,
# end-to-end, and the unit tests again under AddressSanitizer + UBSan.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== build and test"
configure_and_build build -DVORLAXIS_WERROR=ON
(cd build && ctest --output-on-failure -j2)

echo "== sanitizer build of the unit tests"
configure_and_build build-asan -DVORLAXIS_WERROR=ON -DVORLAXIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure -j2 -R '^unit_tests|^[A-Z]')
