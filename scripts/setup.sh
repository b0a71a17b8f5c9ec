#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Framolin need, and only
# those that are missing. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev qt6-translations-l10n
    libgtest-dev
    libxcb1-dev
    libjpeg62-turbo-dev libexif-dev libpng-dev zlib1g-dev libisal-dev
    qt6-image-formats-plugins
    xvfb xauth xdotool
    clang-format
    appstream desktop-file-utils
    dpkg-dev file lintian man-db
    chromium nodejs
    valgrind
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
