#!/usr/bin/env bash
# Installs the built game twice and starts it as a player would, under Xvfb
# from an unrelated folder: once with `cmake --install` to a scratch prefix
# whose bin/ is put on PATH, once as the .deb that `cpack` builds, installed
# with dpkg and started as the `vorlaxis` command. The package is removed
# again afterwards.
#   tests/package/install_test.sh BUILD_DIR
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../e2e/lib.bash"
BUILD="$(cd "$1" && pwd)"

inside_xvfb "$0" "$BUILD"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
WORK="$(mktemp -d)"
SCRATCH+=("$WORK")
INSTALLED_DEB=""
remove_package() {
    [ -z "$INSTALLED_DEB" ] || $SUDO dpkg -r vorlaxis >/dev/null || true
    cleanup
}
trap remove_package EXIT

# check_installed <prefix>: the launcher, the data folder, the desktop entry
# and the icon are where a desktop looks for them.
check_installed() {
    local prefix="$1"
    [ -x "$prefix/bin/vorlaxis" ] || fail "no vorlaxis command in $prefix/bin"
    for data in game.config Shaders/shipShader.vert Textures/planet1.bmp Models/spaceshipsmallHIGH.obj \
        Sounds/music.wav; do
        [ -f "$prefix/share/vorlaxis/$data" ] || fail "$data not installed under $prefix"
    done
    grep -qx 'Exec=vorlaxis' "$prefix/share/applications/vorlaxis.desktop" || fail "no desktop entry"
    [ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/vorlaxis.png")" = 256x256 ] ||
        fail "no 256 x 256 icon"
}

# play_installed: the command on PATH, started from a folder with nothing
# of the game in it, finds every file it reads.
play_installed() {
    mkdir -p "$WORK/elsewhere"
    cd "$WORK/elsewhere"
    play_briefly 1 vorlaxis
    grep -q '^Init\.\.\.' out.txt || fail "no start-up line"
    ! grep -q 'ALERT' out.txt || fail "images not found"
    ! grep -qi 'shader' out.txt err.txt || fail "shaders not found: $(cat err.txt)"
    grep -qE '^Ships \(Computer/Player\) \([0-9]+\) vs \([0-9]+\)$' out.txt || fail "no fleet report"
    cd - >/dev/null
}

echo "-- cmake --install to a scratch prefix"
cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
check_installed "$WORK/prefix"
PATH="$WORK/prefix/bin:$PATH" play_installed

echo "-- the .deb"
(cd "$BUILD" && cpack -G DEB -B "$WORK/deb" >/dev/null)
DEB="$(ls "$WORK"/deb/vorlaxis_*.deb)"
dpkg-deb --field "$DEB" Depends | grep -q 'libassimp' || fail "no library dependencies: $(dpkg-deb --field "$DEB" Depends)"
if dpkg -s vorlaxis >/dev/null 2>&1; then
    fail "vorlaxis is already installed on this machine; remove it first"
fi
INSTALLED_DEB=1
$SUDO dpkg -i "$DEB" >/dev/null
check_installed /usr
[ "$(command -v vorlaxis)" = /usr/bin/vorlaxis ] || fail "vorlaxis is not the installed command"
play_installed
echo "PASS"
