#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, skipping the ones
# already present. Sourced by run.sh and test.sh.
set -euo pipefail

VORLAXIS_PACKAGES=(
    build-essential cmake pkg-config
    libglfw3-dev libepoxy-dev libglm-dev libfreeimage-dev libassimp-dev
    libopenal-dev pulseaudio pulseaudio-utils
    libfreetype-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri xdotool imagemagick glslang-tools
    clang clang-format libclang-rt-14-dev
    python3 time tesseract-ocr
    lintian appstream desktop-file-utils man-db
)

install_missing_packages() {
    local missing=()
    for package in "${VORLAXIS_PACKAGES[@]}"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build <build dir> [extra cmake arguments...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j2
}
