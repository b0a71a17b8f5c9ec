#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the CMYK JPEG beside this script (Qt cannot write CMYK). The result is committed, so the
# tests never need ImageMagick; run this again only to remake it.
set -euo pipefail
cd "$(dirname "$0")"
# Left half red, right half blue, 16 x 8, stored as four CMYK channels.
convert -size 8x8 xc:'rgb(200,40,40)' -size 8x8 xc:'rgb(40,40,200)' +append \
    -colorspace CMYK -quality 95 -strip cmyk.jpg
identify -verbose cmyk.jpg | grep -E 'Colorspace|Geometry|Type'
