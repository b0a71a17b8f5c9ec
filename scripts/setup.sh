#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, testing and running Framolin need, and only
# those that are missing. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev qt6-translations-l10n
    libgtest-dev
    libxcb1-dev
    libjpeg62-turbo-dev libexif-dev libpng-dev zlib1g-dev libisal-dev libtiff-dev
    qt6-image-formats-plugins
    xvfb xauth xdotool
    clang-format clang-tidy
    appstream desktop-file-utils
    dpkg-dev file lintian man-db
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n locales
    chromium nodejs
    valgrind
)

# framolin-strip's Spanish messages include the C library's texts (strerror), which need a
# Spanish locale to exist.
spanish_locale() {
    locale -a 2>/dev/null | grep -qix 'es_ES.utf8' && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i es_ES -f UTF-8 es_ES.UTF-8
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    spanish_locale
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
spanish_locale
