#!/usr/bin/env bash
# Runs a command against a private Xvfb server that picks a free display
# itself, so tests run side by side (ctest -j) never share or race for one.
#   tests/xvfb_run.sh COMMAND [ARGUMENTS...]
set -euo pipefail
dir="$(mktemp -d)"
mkfifo "$dir/display"
# -noreset: the server outlives tests that close their window and open another.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$dir/display" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT
read -r -t 30 display <"$dir/display" || { echo "xvfb_run: no X server" >&2; exit 1; }
DISPLAY=":$display" "$@"
