#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Framolin needs, and only those that are missing. Needs root (or
# sudo) only when something is missing. Usage: setup.sh [--tests | --ci]
#   (no option)  building and running the window and framolin-strip (scripts/run.sh)
#   --tests      also what the test suite needs (scripts/test.sh, scripts/tsan.sh)
#   --ci         also the tools only continuous integration runs (.ci/run): a headless browser,
#                Valgrind, clang-tidy, clang-format, clang 14 for fuzzing, the package checks
set -euo pipefail
tier=${1:-run}
case "$tier" in
run | --tests | --ci) ;;
*) echo "usage: setup.sh [--tests | --ci]" >&2; exit 2 ;;
esac

# Building and running.
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev libxcb1-dev
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libjpeg62-turbo-dev libexif-dev zlib1g-dev libisal-dev libtiff-dev libwebp-dev libzip-dev
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    qt6-image-formats-plugins
)
if [ "$tier" != run ]; then
    packages+=(
        libgtest-dev libpng-dev
        xvfb xauth xdotool
        appstream desktop-file-utils
        locales unzip
        ffmpeg
    )
fi
if [ "$tier" = --ci ]; then
    packages+=(
        chromium firefox-esr nodejs
        valgrind
        clang-format clang-tidy clang-14 libclang-rt-14-dev
        dpkg-dev file lintian man-db
    )
    # The viewer page's browser driver comes from npm; Debian's nodejs ships without it.
    command -v npm >/dev/null || packages+=(npm)
fi

# framolin-strip's Spanish messages include the C library's texts (strerror), which need a
# Spanish locale to exist; the tests check them.
spanish_locale() {
    [ "$tier" != run ] || return 0
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
