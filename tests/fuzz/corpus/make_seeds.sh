#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
# Today's formats: PNG kinds, WebP lossy and lossless, TIFF, and orientation tags.
grad 8x6 PNG24:rgb.png
grad 8x6 -type palette -colors 16 PNG8:palette.png
grad 8x6 -alpha on -channel A -evaluate set 50% +channel PNG32:alpha.png
grad 8x6 -depth 16 PNG48:deep.png
grad 8x6 -interlace PNG PNG24:interlaced.png
grad 8x6 -colorspace Gray PNG:grey.png
grad 8x6 -quality 80 lossy.webp
grad 8x6 -alpha on -define webp:lossless=true lossless.webp
grad 8x6 -compress None plain.tiff
grad 8x6 -compress LZW -orient RightTop oriented.tiff
grad 8x6 -depth 16 -compress Zip deep.tiff
grad 16x12 -quality 80 oriented.jpg
# ImageMagick writes no EXIF block into a fresh JPEG: put one after SOI, orientation 8.
python3 - oriented.jpg <<'PY'
import struct, sys
tiff = b"MM\0\x2a" + struct.pack(">IH", 8, 1) + struct.pack(">HHIHH", 0x0112, 3, 1, 8, 0) + b"\0" * 4
app1 = b"\xff\xe1" + struct.pack(">H", 2 + 6 + len(tiff)) + b"Exif\0\0" + tiff
data = open(sys.argv[1], "rb").read()
open(sys.argv[1], "wb").write(data[:2] + app1 + data[2:])
PY
ls -l
