#!/usr/bin/env bash
# The long random-input session: ten minutes against the sanitizer build.
#   tests/random_input/ten_minutes.sh [BUILD_ASAN_DIR] [SEED]
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
exec bash "$HERE/session.sh" "${1:-build-asan}/game" 600 "${2:-1616}"
