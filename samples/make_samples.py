#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the sample frames: 36 views of a cube turning 10 degrees at a time.

Frames 1-12 are JPEG (320 x 200), 13-24 GIF with a transparent background (240 x 150),
25-36 8-bit BMP (160 x 100), so a first strip shows every input kind and size. Pure Python
apart from cjpeg (Debian's libjpeg-turbo-progs), which turns the BMPs it is given into JPEG.
Usage: samples/make_samples.py [OUTPUT_DIR]   (default: the folder of this script)
"""

import math
import os
import struct
import subprocess
import sys
import tempfile

BACKGROUND = (240, 240, 240)  # the strip's own back colour
FACES = [  # vertex indices (counter-clockwise seen from outside) and colour
    ((0, 1, 2, 3), (200, 60, 50)),
    ((5, 4, 7, 6), (60, 160, 80)),
    ((4, 0, 3, 7), (60, 90, 190)),
    ((1, 5, 6, 2), (230, 180, 40)),
    ((3, 2, 6, 7), (150, 80, 170)),
    ((4, 5, 1, 0), (40, 170, 170)),
]
VERTICES = [(x, y, z) for z in (-1, 1) for (x, y) in ((-1, -1), (1, -1), (1, 1), (-1, 1))]


def render(angle_deg, width, height):
    """One view as rows of palette indices, with the palette (index 0 is the background)."""
    a = math.radians(angle_deg)
    tilt = math.radians(25)
    points = []
    for x, y, z in VERTICES:
        x, z = x * math.cos(a) + z * math.sin(a), -x * math.sin(a) + z * math.cos(a)
        y, z = y * math.cos(tilt) - z * math.sin(tilt), y * math.sin(tilt) + z * math.cos(tilt)
        scale = height * 0.9 / (z + 5.0)
        points.append((width / 2 + x * scale * 1.6, height / 2 + y * scale * 1.6, z))
    palette = [BACKGROUND]
    polygons = []
    light = (0.4, -0.6, -0.7)
    for indices, colour in FACES:
        p = [points[i] for i in indices]
        # visible when its screen-space winding says it faces the viewer
        cross = (p[1][0] - p[0][0]) * (p[2][1] - p[0][1]) - (p[1][1] - p[0][1]) * (p[2][0] - p[0][0])
        if cross <= 0:
            continue
        ux, uy, uz = (p[1][i] - p[0][i] for i in range(3))
        vx, vy, vz = (p[2][i] - p[0][i] for i in range(3))
        n = (uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx)
        length = math.sqrt(sum(c * c for c in n)) or 1.0
        shade = 0.55 + 0.45 * abs(sum(n[i] * light[i] for i in range(3)) / length)
        palette.append(tuple(min(255, int(c * shade)) for c in colour))
        polygons.append(([(q[0], q[1]) for q in p], len(palette) - 1))
    rows = []
    for y in range(height):
        row = bytearray(width)
        for polygon, index in polygons:
            for x in range(width):
                if inside(polygon, x + 0.5, y + 0.5):
                    row[x] = index
        rows.append(row)
    return rows, palette


def inside(polygon, x, y):
    sign = 0
    for i in range(len(polygon)):
        (x1, y1), (x2, y2) = polygon[i], polygon[(i + 1) % len(polygon)]
        side = (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)
        if side != 0:
            if sign == 0:
                sign = 1 if side > 0 else -1
            elif (side > 0) != (sign > 0):
                return False
    return True


def bmp8(rows, palette):
    height, width = len(rows), len(rows[0])
    stride = (width + 3) // 4 * 4
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    pixels = b"".join(bytes(row) + bytes(stride - width) for row in reversed(rows))
    offset = 14 + 40 + len(table)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
            + table + pixels)


def bmp24(rows, palette):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(
        b"".join(bytes(reversed(palette[i])) for i in row) + bytes(stride - 3 * width)
        for row in reversed(rows))
    return (b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
            + pixels)


def lzw(indices, min_size):
    """GIF's variable-length LZW, codes packed least significant bit first."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    table = {bytes((i,)): i for i in range(clear)}
    size, next_code = min_size + 1, end + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    current = b""
    for value in indices:
        candidate = current + bytes((value,))
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {bytes((i,)): i for i in range(clear)}
            size, next_code = min_size + 1, end + 1
        current = bytes((value,))
    if current:
        emit(table[current])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(rows, palette):
    height, width = len(rows), len(rows[0])
    colours = palette + [(0, 0, 0)] * (8 - len(palette))
    data = lzw(b"".join(bytes(r) for r in rows), 3)
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255] for i in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF2, 0, 0)
            + b"".join(bytes(c) for c in colours[:8])
            + b"\x21\xF9\x04\x01\x00\x00\x00\x00"  # graphic control: index 0 is transparent
            + b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
            + b"\x03" + blocks + b"\x00\x3B")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for i in range(36):
        name = os.path.join(out, "cube%02d" % (i + 1))
        if i < 12:
            rows, palette = render(i * 10, 320, 200)
            with tempfile.NamedTemporaryFile(suffix=".bmp") as tmp:
                tmp.write(bmp24(rows, palette))
                tmp.flush()
                with open(name + ".jpg", "wb") as f:
                    subprocess.run(["cjpeg", "-quality", "90", "-optimize", tmp.name], stdout=f, check=True)
        elif i < 24:
            rows, palette = render(i * 10, 240, 150)
            with open(name + ".gif", "wb") as f:
                f.write(gif(rows, palette))
        else:
            rows, palette = render(i * 10, 160, 100)
            with open(name + ".bmp", "wb") as f:
                f.write(bmp8(rows, palette))


if __name__ == "__main__":
    main()
