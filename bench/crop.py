#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the automatic crop: 36 turntable shots of 3000 x 2000 (five from a turned camera, with
their EXIF tag) made into a strip with `--crop auto --fit cover` against the plain run, and
against what a user would write with ImageMagick (`-trim` of every picture, then the fit).

Each repetition runs the three in turn (paired runs); the table gives medians of wall time,
CPU time and peak RSS, and the median of the paired ratios to the plain run.
Usage: bench/crop.py [--reps N] [--build DIR] [--corpus DIR]
Needs ImageMagick (`apt-get install imagemagick`, the benchmark's only use of it) and a build
with bench/make_corpus (bench/run.sh builds build-bench/; a dev build/ works as well).
"""

import argparse
import os
import shutil
import statistics
import tempfile

from run import IM_POLICY, corpus, measure

W, H = 320, 200


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--build", default=os.path.join(here, "..", "build-bench"))
    parser.add_argument("--corpus", default=os.path.join(here, "..", "build-bench", "corpus"))
    args = parser.parse_args()
    files = corpus(args.build, args.corpus, "turntable")
    strip = os.path.join(args.build, "src/cli/framolin-strip")
    out = tempfile.mkdtemp(prefix="framolin-crop-bench-")
    policy = tempfile.mkdtemp(prefix="framolin-im-policy-")
    with open(os.path.join(policy, "policy.xml"), "w") as f:
        f.write(IM_POLICY)
    env = dict(os.environ, MAGICK_CONFIGURE_PATH=policy)
    size = "%dx%d" % (W, H)
    # -trim crops each picture on its own (so the object wobbles); the fuzz lets the noise of
    # the backdrop count as background, and the shadow stays in.
    magick = ["convert-im6.q16"] + files + [
        "-auto-orient", "-fuzz", "10%", "-trim", "+repage", "-resize", size + "^",
        "-gravity", "center", "-extent", size, "-append", "BMP3:" + os.path.join(out, "im.bmp")]
    rows = [
        ("framolin-strip (plain)", [strip, "-q", "-s", size, "-o", out + "/plain.bmp"] + files),
        ("framolin-strip --crop auto --fit cover",
         [strip, "-q", "-s", size, "--crop", "auto", "--fit", "cover", "-o", out + "/crop.bmp"]
         + files),
        ("ImageMagick -trim per picture", magick),
    ]
    results = {label: [] for label, _ in rows}
    try:
        for _ in range(args.reps):
            for label, command in rows:
                results[label].append(measure(command, env))
        print("Machine: %d cores\n" % os.cpu_count())
        print("### turntable: %d pictures of 3000 x 2000 -> %s, median of %d paired runs\n"
              % (len(files), size, args.reps))
        print("| tool | wall s | CPU s | peak RSS MiB | wall / plain |")
        print("|---|---:|---:|---:|---:|")
        plain = results[rows[0][0]]
        for label, _ in rows:
            runs = results[label]
            ratio = statistics.median(r[0] / p[0] for r, p in zip(runs, plain))
            print("| %s | %.2f | %.2f | %.0f | %.2f× |" % (
                label, statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs),
                statistics.median(r[2] for r in runs), ratio))
    finally:
        shutil.rmtree(out, ignore_errors=True)
        shutil.rmtree(policy, ignore_errors=True)


if __name__ == "__main__":
    main()
