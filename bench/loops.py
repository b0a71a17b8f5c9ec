#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times loops: 36 photos as a GIF against ImageMagick and as an MP4 against the ffmpeg command.

The photos are the turntable corpus (36 shots of one turn), or with --set photos 36 unrelated
pictures, the worst case for a GIF's one palette. They are first made into 480 x 320 PNG frames (framolin-strip --frames-dir, not timed),
and every tool reads those same frames: framolin-strip -o loop.gif / loop.mp4 at 12 fps;
ImageMagick's `convert -delay 8 -loop 0 frames/*.png out.gif` (the real binary, not a wrapper);
`ffmpeg -framerate 12 -i %04d.png -c:v libx264 -pix_fmt yuv420p -movflags +faststart`. The look
is compared as the mean PSNR of every frame of the loop against its source frame (both as RGB,
through ffmpeg's psnr filter, frames paired in order). Each repetition runs every tool once, in
turn; the table gives medians of wall time, CPU time, peak RSS, and the file's bytes and PSNR.
Usage: bench/loops.py [--reps N] [--build DIR] [--corpus DIR] [--set turntable|photos]
Normally started by bench/run.sh --loops, which installs ImageMagick and builds first.
"""

import argparse
import glob
import os
import re
import shutil
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import corpus, measure  # noqa: E402

FRAMES = 36
SIZE = (480, 320)
IMAGEMAGICK = "/usr/bin/convert-im6.q16"  # /usr/local/bin/convert may be a wrapper


def psnr(loop, frames):
    """Mean PSNR (dB) of the loop's frames against the source frames, in order."""
    # Both put on the same clock, frame i at i / 12 s, so frames pair by their order.
    graph = ("[0:v]settb=1/12,setpts=N,format=rgb24[a];[1:v]settb=1/12,setpts=N,format=rgb24[b];"
             "[a][b]psnr")
    result = subprocess.run(["ffmpeg", "-hide_banner", "-nostats", "-i", loop, "-framerate", "12",
                             "-i", os.path.join(frames, "%04d.png"), "-lavfi", graph,
                             "-f", "null", "-"], stderr=subprocess.PIPE, text=True, check=True)
    found = re.findall(r"PSNR .* average:([0-9.inf]+)", result.stderr)
    return float(found[-1]) if found else float("nan")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--build", default=os.path.join(here, "..", "build-bench"))
    parser.add_argument("--corpus", default=os.path.join(here, "..", "build-bench", "corpus"))
    parser.add_argument("--set", default="turntable", choices=["turntable", "photos"])
    args = parser.parse_args()
    photos = corpus(args.build, args.corpus, args.set)[:FRAMES]
    strip = os.path.join(args.build, "src/cli/framolin-strip")
    out = os.path.join(args.corpus, "out-loops-" + args.set)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    frames = os.path.join(out, "frames")
    size = "%dx%d" % SIZE
    subprocess.run([strip, "-q", "-s", size, "-o", os.path.join(out, "strip.png"),
                    "--frames-dir", frames] + photos, check=True)
    pngs = sorted(glob.glob(os.path.join(frames, "*.png")))
    assert len(pngs) == FRAMES, pngs

    def ours(name):
        return [strip, "-q", "-s", size, "-o", os.path.join(out, name), frames]

    sets = [
        ("GIF", [("framolin-strip", ours("ours.gif"), "ours.gif"),
                 ("ImageMagick convert", [IMAGEMAGICK, "-delay", "8", "-loop", "0"] + pngs
                  + [os.path.join(out, "im.gif")], "im.gif")]),
        ("MP4", [("framolin-strip", ours("ours.mp4"), "ours.mp4"),
                 ("ffmpeg", ["ffmpeg", "-v", "error", "-y", "-framerate", "12", "-i",
                             os.path.join(frames, "%04d.png"), "-c:v", "libx264", "-pix_fmt",
                             "yuv420p", "-movflags", "+faststart", os.path.join(out, "ff.mp4")],
                  "ff.mp4")]),
    ]
    print("Machine: %d cores; %d %s photos -> %s frames at 12 fps, median of %d paired runs" % (
        os.cpu_count(), FRAMES, args.set, size, args.reps))
    for name, rows in sets:
        results = {label: [] for label, _, _ in rows}
        for _ in range(args.reps):
            for label, command, _ in rows:
                results[label].append(measure(command))
        reference = statistics.median(r[0] for r in results[rows[0][0]])
        print("\n### %s loop\n" % name)
        print("| tool | wall s | CPU s | peak RSS MiB | bytes | mean PSNR dB | wall / framolin-strip |")
        print("|---|---:|---:|---:|---:|---:|---:|")
        for label, _, written in rows:
            path = os.path.join(out, written)
            wall = statistics.median(r[0] for r in results[label])
            cpu = statistics.median(r[1] for r in results[label])
            rss = statistics.median(r[2] for r in results[label])
            print("| %s | %.2f | %.2f | %.0f | %d | %.2f | %.2f× |" % (
                label, wall, cpu, rss, os.path.getsize(path), psnr(path, frames),
                wall / reference))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
