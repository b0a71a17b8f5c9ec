#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times a turntable video to a strip: framolin-strip against the ffmpeg one-liner a user writes.

The video is phone-like: 10 seconds of 1080p at 30 frames a second, H.264 with a key frame each
second, moving test patterns under grain so no frame compresses to nothing. Both tools take 36
frames of 480 x 320 and stack them in one column as PNG; ffmpeg does it with
`fps=3.6,scale=480:320,tile=1x36`. Each repetition runs both, in turn; the table gives medians
of wall time, CPU time and peak RSS. Then the frames are checked (not timed) against the ones
`ffmpeg -ss T -i video -frames:v 1` exports at the 36 moments T = i * 10 / 36, tile by tile (mean
absolute difference of the 8-bit channels): framolin-strip should differ by the scalers' rounding
only (a frame apart differs by 5 to 10, shown too), while the one-liner's `fps` filter takes the
frame nearest each moment, not the first at or after it.
Usage: bench/video.py [--reps N] [--build DIR] [--work DIR]
Normally started by bench/run.sh --video, which builds first.
"""

import argparse
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import measure  # noqa: E402

FRAMES, W, H = 36, 480, 320


def make_video(path):
    if os.path.exists(path):
        return
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=1920x1080:rate=30:duration=10", "-vf", "noise=alls=12:allf=t",
                    "-c:v", "libx264", "-preset", "veryfast", "-g", "30", "-pix_fmt", "yuv420p",
                    path + ".part.mp4"], check=True)
    os.rename(path + ".part.mp4", path)


def pixels(png):
    return subprocess.run(["ffmpeg", "-loglevel", "error", "-i", png, "-f", "rawvideo",
                           "-pix_fmt", "rgb24", "-"], check=True, stdout=subprocess.PIPE).stdout


def tile_differences(a, b):
    tile = W * H * 3
    return [sum(abs(x - y) for x, y in zip(a[i * tile:(i + 1) * tile:97],
                                           b[i * tile:(i + 1) * tile:97])) / len(range(0, tile, 97))
            for i in range(FRAMES)]


def exports(video, later=0.0):
    """The 36 frames `ffmpeg -ss T` gives (T `later` seconds on), scaled to W x H, one column."""
    return b"".join(subprocess.run(
        ["ffmpeg", "-loglevel", "error", "-ss", "%.6f" % (i * 10 / FRAMES + later), "-i", video,
         "-frames:v", "1", "-vf", "scale=%d:%d" % (W, H), "-f", "rawvideo", "-pix_fmt", "rgb24",
         "-"], check=True, stdout=subprocess.PIPE).stdout for i in range(FRAMES))


def report(name, differences):
    print("%s: median %.1f, largest %.1f (tile %d), tiles over 2: %d of %d" % (
        name, statistics.median(differences), max(differences),
        differences.index(max(differences)), sum(d > 2 for d in differences), FRAMES))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--build", default="build")
    parser.add_argument("--work", default="/tmp/framolin-video-bench")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    video = os.path.join(args.work, "turn-1080p30.mp4")
    make_video(video)
    ours = os.path.join(args.work, "framolin.png")
    theirs = os.path.join(args.work, "ffmpeg.png")
    tools = [
        ("framolin-strip", [os.path.join(args.build, "src/cli/framolin-strip"), "-q",
                            "--frames", str(FRAMES), "-s", "%dx%d" % (W, H), video, "-o", ours]),
        ("ffmpeg fps+scale+tile", ["ffmpeg", "-loglevel", "error", "-y", "-i", video, "-vf",
                                   "fps=%g,scale=%d:%d,tile=1x%d" % (FRAMES / 10, W, H, FRAMES),
                                   "-frames:v", "1", theirs]),
    ]
    runs = {name: [] for name, _ in tools}
    for _ in range(args.reps):
        for name, command in tools:
            runs[name].append(measure(command))
    print("| tool | wall s | CPU s | peak RSS MiB |")
    print("|---|---:|---:|---:|")
    for name, _ in tools:
        rows = runs[name]
        print("| %s | %.2f | %.2f | %.0f |" % (name, statistics.median(r[0] for r in rows),
                                             statistics.median(r[1] for r in rows),
                                             statistics.median(r[2] for r in rows)))
    reference = exports(video)
    print("\nper-tile mean absolute difference (0-255) from the `ffmpeg -ss T` exports:")
    report("- framolin-strip", tile_differences(pixels(ours), reference))
    report("- ffmpeg fps+scale+tile", tile_differences(pixels(theirs), reference))
    # What one frame apart looks like, so the rounding above can be told from a wrong frame.
    report("- framolin-strip against the frames 1/30 s later",
           tile_differences(pixels(ours), exports(video, 1 / 30)))


if __name__ == "__main__":
    main()
