#!/usr/bin/env bash
# Started from another folder, the game plays in its own folder; where no
# folder has its files it still plays, naming every file it cannot read on
# standard error while standard output keeps its alerts.
set -euo pipefail
source "$(dirname "$0")/lib.bash"

inside_xvfb "$0" "$1"
GAME_SOURCE="$(cd "$1" && pwd)"

echo "-- started as <folder>/vorlaxis from a folder with some of the game's folders"
fresh_game_folder "$GAME_SOURCE"
GAME_FOLDER="$PWD"
EMPTY="$(mktemp -d)"
SCRATCH+=("$EMPTY")
cd "$EMPTY"
mkdir Shaders # as in the repository's root
play_briefly 1 "$GAME_FOLDER/vorlaxis"
! grep -q 'ALERT' out.txt || fail "images not found: $(head -n 5 out.txt)"
! grep -qE '^Cannot|does not exist' err.txt || fail "files not found: $(head -n 5 err.txt)"

echo "-- the executable alone"
cp "$GAME_FOLDER/vorlaxis" .
play_briefly 1
alerts="$(grep -c 'ALERT' out.txt || true)"
named="$(grep -c '^Cannot read texture file \./Textures/' err.txt || true)"
[ "$alerts" -ge 32 ] && [ "$named" -eq 32 ] || fail "$alerts alerts, $named textures named"
grep -q '^Cannot read model file \./Models/spaceshipsmallHIGH.obj$' err.txt || fail "models not named"
grep -q '^Vertex shader file Shaders/shipShader.vert does not exist\.$' err.txt ||
    fail "shaders not named"
echo "PASS"
