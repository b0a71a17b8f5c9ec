#!/usr/bin/env bash
# Builds the Debian package from a configured build directory and checks it without
# installing it: lists its contents, checks that its dependencies are Debian packages apt can
# satisfy, unpacks it into a throwaway root and starts the unpacked program under Xvfb.
# Usage: package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
[ -f "$dir/CMakeCache.txt" ] || scripts/build.sh "$dir"
cmake --build "$dir" --parallel "$(nproc)"

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
    ./usr/share/metainfo/io.github.framolin.Framolin.metainfo.xml; do
    grep -q " $needed\$" <<<"$contents" || { echo "the package lacks ${needed#./}"; exit 1; }
done

# WebP and TIFF pictures are read through Qt's plug-ins, which no binary links.
dpkg-deb --field "$deb" Depends | grep -q 'qt6-image-formats-plugins' \
    || { echo "the package does not depend on qt6-image-formats-plugins"; exit 1; }

# Every dependency must be satisfiable from the configured Debian archive alone.
apt-get install --simulate --no-install-recommends "./$deb" >/dev/null \
    || { echo "apt cannot satisfy the package's dependencies"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
tests/app/smoke_xvfb.sh "$root/usr/bin/framolin"
echo "package ok"
