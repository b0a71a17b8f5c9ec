#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured build directory and checks it without
# installing it: lists its contents, runs lintian (no errors allowed), checks that its
# dependencies are Debian packages apt can satisfy, unpacks it into a throwaway root, opens
# both manual pages with man and starts the unpacked program under Xvfb.
# Usage: package.sh [BUILD_DIR]
# Without BUILD_DIR it builds the release preset in build-release/ (warnings are not errors there,
# as for a packager); a BUILD_DIR not yet configured is configured with that preset too.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-release}
if [ -f "$dir/CMakeCache.txt" ]; then
    cmake --build "$dir" --parallel "$(nproc)"
else
    scripts/build.sh --preset release "$dir"
fi

echo "== package"
rm -f "$dir"/framolin_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/framolin_*.deb)
echo "$deb"
dpkg-deb --field "$deb"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
for needed in ./usr/bin/framolin ./usr/bin/framolin-strip ./usr/share/framolin/framolin.txt \
    ./usr/share/applications/framolin.desktop \
    ./usr/share/icons/hicolor/scalable/apps/framolin.svg \
    ./usr/share/metainfo/io.github.framolin.Framolin.metainfo.xml \
    ./usr/share/doc/framolin/copyright ./usr/share/doc/framolin/changelog.gz \
    ./usr/share/man/man1/framolin.1.gz ./usr/share/man/man1/framolin-strip.1.gz; do
    grep -q " $needed\$" <<<"$contents" || { echo "the package lacks ${needed#./}"; exit 1; }
done

# WebP and TIFF pictures are read through Qt's plug-ins, which no binary links.
dpkg-deb --field "$deb" Depends | grep -q 'qt6-image-formats-plugins' \
    || { echo "the package does not depend on qt6-image-formats-plugins"; exit 1; }

# The control file's description must fit an 80-column terminal, and the maintainer be ours.
if dpkg-deb --field "$deb" Description | awk 'length > 80 { bad = 1 } END { exit !bad }'; then
    echo "a description line is longer than 80 columns"; exit 1
fi
if dpkg-deb --field "$deb" Maintainer | grep -qE 'example\.(org|com)|localhost'; then
    echo "the maintainer address is a placeholder"; exit 1
fi

# lintian's errors fail the check; its warnings are shown.
echo "== lintian"
lintian --tag-display-limit 0 "$deb" >"$dir/lintian.txt" 2>&1 || true
cat "$dir/lintian.txt"
if grep -q '^E: ' "$dir/lintian.txt"; then echo "lintian reports errors"; exit 1; fi

# Every dependency must be satisfiable from the configured Debian archive alone.
apt-get install --simulate --no-install-recommends "./$deb" >/dev/null \
    || { echo "apt cannot satisfy the package's dependencies"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for page in framolin framolin-strip; do
    # No -q: grep stopping early could end man by SIGPIPE, a failure under pipefail.
    MANWIDTH=80 man -M "$root/usr/share/man" "$page" 2>&1 | grep "^NAME" >/dev/null \
        || { echo "man $page does not show its manual page"; exit 1; }
done
tests/app/smoke_xvfb.sh "$root/usr/bin/framolin"
echo "package ok"
