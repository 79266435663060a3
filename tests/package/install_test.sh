#!/usr/bin/env bash
# Installs the built game twice and starts it as a player would, under Xvfb
# from an unrelated folder: once with `cmake --install` to a scratch prefix,
# once as the .deb that `cpack` builds, held to lintian and the desktop entry,
# AppStream and manual page checkers, installed with dpkg (removed again
# afterwards) and started as /usr/games/vorlaxis.
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
    [ -x "$prefix/games/vorlaxis" ] || fail "no vorlaxis command in $prefix/games"
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
    mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere"
    play_briefly 1 vorlaxis
    ! grep -q 'ALERT' out.txt || fail "images not found"
    ! grep -qi 'shader' out.txt err.txt || fail "shaders not found: $(cat err.txt)"
    cd - >/dev/null
}

echo "-- cmake --install to a scratch prefix"
cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
check_installed "$WORK/prefix"
PATH="$WORK/prefix/games:$PATH" play_installed

echo "-- the .deb"
(cd "$BUILD" && cpack -G DEB -B "$WORK/deb" >/dev/null)
DEB="$(ls "$WORK"/deb/vorlaxis_*.deb)"
dpkg-deb --field "$DEB" Depends | grep -q 'libassimp' || fail "no library dependencies: $(dpkg-deb --field "$DEB" Depends)"
dpkg-deb -c "$WORK"/deb/vorlaxis-dbgsym_*.ddeb | grep -q '/usr/lib/debug/\.build-id/.*\.debug$' || fail "no debug symbols"
LINT="$(lintian "$DEB")" && [ -z "$LINT" ] || fail "lintian: $LINT"
! dpkg -s vorlaxis >/dev/null 2>&1 || fail "vorlaxis is already installed on this machine; remove it first"
INSTALLED_DEB=1
$SUDO dpkg -i "$DEB" >/dev/null
check_installed /usr
desktop-file-validate /usr/share/applications/vorlaxis.desktop || fail "desktop entry rejected"
METAINFO=(/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${METAINFO[@]}" >/dev/null || fail "$(appstreamcli validate --no-net "${METAINFO[@]}")"
SHOT="$(sed -n 's|.*<image[^>]*>https://[^/]*/\(.*\)</image>|\1|p' "${METAINFO[@]}")"
[ -n "$SHOT" ] && [ -f "$HERE/../../$SHOT" ] || fail "no screenshot $SHOT in the sources"
# The manual page renders without warnings and lists every action of the README's controls table.
PAGE="$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -l /usr/share/man/man6/vorlaxis.6.gz 2>"$WORK/man.txt")"
[ ! -s "$WORK/man.txt" ] || fail "man: $(cat "$WORK/man.txt")"
sed -n '/^## Controls/,/^## [^C]/s/^| [^*|][^|]* | \(.*[^ ]\) *|$/\1/p' "$HERE/../../README.md" | tail -n +2 | tr -d '`' |
    while read -r action; do grep -qF -- "$action" <<<"$PAGE" || fail "$action: not in the manual page"; done
PATH="/usr/games:$PATH" play_installed
echo "PASS"
