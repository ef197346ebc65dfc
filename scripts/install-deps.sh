#!/usr/bin/env bash
# Installs the Debian packages Corvel needs to build, test and run, when any
# of them is missing. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ pkg-config
    qt6-base-dev qt6-serialport-dev libgl-dev libx11-dev
    libxlsxwriter-dev python3-openpyxl poppler-utils nlohmann-json3-dev python3-jsonschema
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb openbox x11-utils xdotool
    desktop-file-utils appstream shared-mime-info file dpkg-dev librsvg2-bin groff-base
)
# ImageMagick only for taking screenshots of a whole display by hand.
if [ "${CORVEL_UI_TOOLS:-0}" = 1 ]; then
    packages+=(imagemagick)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
