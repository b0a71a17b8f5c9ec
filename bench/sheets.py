#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times sets of web sheets: framolin-strip against libvips doing the same sheets, in one run.

Two sets: 72 photos as 1920 x 1080 frames on `mobile` WebP sheets, and 360 as 800 x 600 frames
on `desktop` JPEG sheets (the photos corpus, repeated). libvips runs vipsthumbnail once per
picture (all cores, through xargs) and then `vips arrayjoin` into each sheet, saved as WebP or
JPEG at the same quality, with the very layout framolin-strip chose (read from its manifest).
With --baseline, another build's framolin-strip (main before a change, say) writes the WebP set
as one WebP in 8 columns, as it could before sheets, and so does this build for comparison.
Each repetition runs every tool once, in turn; the table gives medians of wall time, CPU time,
peak RSS and bytes written.
Usage: bench/sheets.py [--reps N] [--build DIR] [--baseline DIR] [--corpus DIR]
Normally started by bench/run.sh --sheets, which installs libvips and builds first.
"""

import argparse
import glob
import json
import os
import shutil
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import corpus, measure  # noqa: E402

QUALITY = 90
SETS = [
    # name, frames, frame size, target, extension, vips saver options
    ("mobile WebP", 72, (1920, 1080), "mobile", "webp", "[Q=%d]" % QUALITY),
    ("desktop JPEG", 360, (800, 600), "desktop", "jpg", "[Q=%d]" % QUALITY),
]


def frame_links(photos, count, folder):
    """`count` names for the photos in turn, so each tool sees as many distinct files."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    names = []
    for i in range(count):
        name = os.path.join(folder, "frame%04d.jpg" % i)
        os.symlink(photos[i % len(photos)], name)
        names.append(name)
    return names


def sheet_bytes(pattern):
    return sum(os.path.getsize(f) for f in glob.glob(pattern))


def ours(strip, files, out, size, target, ext, extra=()):
    return [strip, "-q", "-s", "%dx%d" % size, "--quality", str(QUALITY), "--target", target,
            "-o", os.path.join(out, "ours." + ext)] + list(extra) + files


def vips(files, manifest, out, size, ext, options):
    """One shell: thumbnails of every picture on all cores, then one arrayjoin per sheet."""
    thumbs = os.path.join(out, "thumbs")
    lines = ["set -e", "rm -rf '%s' && mkdir -p '%s'" % (thumbs, thumbs),
             "printf '%%s\\0' %s | xargs -0 -n 4 -P %d vipsthumbnail -s '%dx%d!' -o '%s/%%s.v'" % (
                 " ".join("'%s'" % f for f in files), os.cpu_count(), size[0], size[1], thumbs)]
    for i, sheet in enumerate(manifest["sheets"]):
        first, count = sheet["firstFrame"], sheet["frameCount"]
        names = " ".join(os.path.join(thumbs, os.path.splitext(os.path.basename(f))[0] + ".v")
                         for f in files[first:first + count])
        lines.append("vips arrayjoin '%s' '%s/vips-%d.%s%s' --across %d" % (
            names, out, i, ext, options, sheet["columns"]))
    return ["bash", "-c", "\n".join(lines)]


def run_set(build, baseline, photos, root, spec, reps):
    name, count, size, target, ext, options = spec
    out = os.path.join(root, "out-" + target)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    files = frame_links(photos, count, os.path.join(root, "frames-%d" % count))
    strip = os.path.join(build, "src/cli/framolin-strip")
    manifest_path = os.path.join(out, "ours.json")
    subprocess.run(ours(strip, files, out, size, target, ext, ["--manifest", manifest_path]),
                   check=True)
    with open(manifest_path) as f:
        manifest = json.load(f)
    rows = [("framolin-strip, %d sheets" % len(manifest["sheets"]),
             ours(strip, files, out, size, target, ext), os.path.join(out, "ours*." + ext)),
            ("libvips vipsthumbnail + arrayjoin", vips(files, manifest, out, size, ext, options),
             os.path.join(out, "vips-*." + ext))]
    if baseline and ext == "webp":
        for label, build_dir, tag in (("this build", build, "piece"),
                                      ("baseline build", baseline, "base")):
            command = [os.path.join(build_dir, "src/cli/framolin-strip"), "-q", "-s",
                       "%dx%d" % size, "--quality", str(QUALITY), "--columns", "8", "-o",
                       os.path.join(out, "%s.webp" % tag)] + files
            rows.append(("%s, one WebP in 8 columns" % label, command,
                         os.path.join(out, "%s.webp" % tag)))
    results = {label: [] for label, _, _ in rows}
    failures = {}
    for _ in range(reps):
        for label, command, _ in rows:
            try:
                results[label].append(measure(command))
            except RuntimeError as error:  # a one-piece WebP may be refused; say so
                failures[label] = str(error).splitlines()[-1][-160:]
    reference = statistics.median(r[0] for r in results[rows[0][0]])
    print("\n### %s: %d photos -> %d x %d frames, median of %d paired runs\n" % (
        name, count, size[0], size[1], reps))
    print("| tool | wall s | CPU s | peak RSS MiB | bytes | wall / framolin-strip |")
    print("|---|---:|---:|---:|---:|---:|")
    for label, _, written in rows:
        if not results[label]:
            print("| %s | failed: %s | | | | |" % (label, failures.get(label, "")))
            continue
        wall = statistics.median(r[0] for r in results[label])
        cpu = statistics.median(r[1] for r in results[label])
        rss = statistics.median(r[2] for r in results[label])
        print("| %s | %.2f | %.2f | %.0f | %d | %.2f× |" % (
            label, wall, cpu, rss, sheet_bytes(written), wall / reference))
    sys.stdout.flush()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--build", default=os.path.join(here, "..", "build-bench"))
    parser.add_argument("--baseline", help="another build's folder, for the one-piece WebP")
    parser.add_argument("--corpus", default=os.path.join(here, "..", "build-bench", "corpus"))
    args = parser.parse_args()
    photos = corpus(args.build, args.corpus, "photos")
    print("Machine: %d cores; %s" % (os.cpu_count(), subprocess.run(
        ["vips", "--version"], stdout=subprocess.PIPE, text=True).stdout.strip()))
    for spec in SETS:
        run_set(args.build, args.baseline, photos, args.corpus, spec, args.reps)


if __name__ == "__main__":
    main()
