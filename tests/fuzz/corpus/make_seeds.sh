#!/usr/bin/env bash
# Remakes the committed seed pictures of the picture fuzz target with ImageMagick. The seeds are
# committed, so fuzzing never needs ImageMagick; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/picture"
grad() { convert -size "$1" gradient:red-blue "${@:2}"; }
grad 8x6 BMP3:rgb24.bmp
grad 8x6 -type palette -colors 16 BMP3:palette4.bmp
grad 8x6 -type palette -colors 200 -compress RLE BMP3:rle8.bmp
grad 7x5 -type bilevel BMP3:mono.bmp
grad 8x6 -define bmp:subtype=RGB565 BMP:rgb565.bmp
grad 8x6 -alpha on BMP:rgba32.bmp
grad 16x12 -quality 80 baseline.jpg
grad 16x12 -interlace JPEG -quality 80 progressive.jpg
grad 16x12 -colorspace Gray -quality 80 grey.jpg
grad 16x12 -colorspace CMYK -quality 80 cmyk.jpg
grad 8x6 still.gif
grad 8x9 -interlace GIF interlaced.gif
convert -size 6x4 xc:red xc:blue -delay 10 -loop 0 animated.gif
convert -size 6x4 xc:white -fill red -draw 'point 1,1' -transparent white transparent.gif
ls -l
