#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times framolin-strip against the tools users would reach for instead, in one run.

Each repetition runs every tool once, in turn (paired runs), so a busy machine slows all of
them alike; the table gives medians of wall time, CPU time (user + system) and peak RSS, and
each tool's wall time as a multiple of framolin-strip's (all cores).
Usage: bench/run.py [--reps N] [--sets photos,jpegs,mixed,pngs,huge] [--formats bmp,png,jpeg]
                    [--ours] [--build DIR] [--baseline DIR] [--corpus DIR]
With --formats, each set is timed once per output format against the peers writing the same
format (PNG, or JPEG at quality 90), with framolin-strip's own BMP run as a second reference.
--baseline adds another build's framolin-strip (say, main before a change) to those runs, paired,
and its window assembly to the BMP runs.
Normally started by bench/run.sh, which installs the peers and builds first.
"""

import argparse
import glob
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

W, H = 320, 200
IM_POLICY = """<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="16GiB"/>
  <policy domain="resource" name="width" value="1MP"/>
  <policy domain="resource" name="height" value="1MP"/>
  <policy domain="resource" name="area" value="16GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
"""


PAUSE = re.compile(r"longest pause between yields: ([0-9.]+) ms")
CLICK = re.compile(r"from the click to the saved file: ([0-9.]+) s")


def measure(command, env=None):
    """Runs `command` under /usr/bin/time: (wall s, cpu s, peak RSS MiB, longest pause ms,
    seconds from the click to the saved file; the last two None when the tool reports none)."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        result = subprocess.run(["/usr/bin/time", "-f", "%e %U %S %M", "-o", report.name] + command,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
        if result.returncode != 0:
            raise RuntimeError("%s failed (%d): %s" % (command[0], result.returncode,
                                                      result.stderr.decode(errors="replace")[-300:]))
        wall, user, system, rss = report.read().split()[-4:]
    output = result.stdout.decode(errors="replace")
    pause = PAUSE.search(output)
    click = CLICK.search(output)
    return float(wall), float(user) + float(system), int(rss) / 1024.0, \
        float(pause.group(1)) if pause else None, float(click.group(1)) if click else None


def halves(files):
    middle = len(files) // 2
    return files[:middle], files[middle:]


def shell(*commands):
    """Commands run side by side in one measured shell."""
    return ["bash", "-c", " & ".join(commands) + " & wait"]


def quote(args):
    return " ".join("'%s'" % a.replace("'", "'\\''") for a in args)


def tools(build, files, out, baseline=None):
    strip = os.path.join(build, "src/cli/framolin-strip")
    floor = os.path.join(build, "bench/decode_floor")
    window = os.path.join(build, "bench/window_assembly")
    size = "%dx%d" % (W, H)
    first, second = halves(files)
    jpeg_only = all(f.lower().endswith((".jpg", ".jpeg")) for f in files)
    vips_dir = os.path.join(out, "vips")
    vips = ["bash", "-c",
            "rm -rf {d} && mkdir -p {d} && vipsthumbnail -s '{s}!' -o '{d}/%s.ppm' {f} && "
            "l=$(for f in {f}; do b=${{f##*/}}; printf '{d}/%s.ppm ' \"${{b%.*}}\"; done) && "
            "vips arrayjoin \"${{l% }}\" "
            "{o}/vips.bmp --across 1".format(d=vips_dir, s=size, f=quote(files), o=out)]
    im = ["convert-im6.q16", "-define", "jpeg:size=" + size] + ["%s[%s!]" % (f, size) for f in files] \
        + ["-append", "BMP3:" + os.path.join(out, "im.bmp")]
    im2 = shell(*("convert-im6.q16 -define jpeg:size={s} {f} -append BMP3:{o}/im{n}.bmp".format(
        s=size, f=quote(["%s[%s!]" % (f, size) for f in part]), o=out, n=n)
        for n, part in enumerate((first, second))))
    rows = [
        ("framolin-strip (all cores)", [strip, "-q", "-o", out + "/strip.bmp"] + files),
        ("framolin-strip --jobs 1", [strip, "-q", "-j", "1", "-o", out + "/strip1.bmp"] + files),
        ("window assembly (offscreen)", [window, str(W), str(H), out + "/window.bmp"] + files),
    ]
    if baseline:
        rows.append(("baseline window assembly", [os.path.join(baseline, "bench/window_assembly"),
                                                  str(W), str(H), out + "/old-window.bmp"] + files))
    rows += [
        ("GraphicsMagick gm convert", ["gm", "convert", "-size", size] + files
         + ["-resize", size + "!", "-append", "+matte", "BMP3:" + out + "/gm.bmp"]),
        ("ImageMagick convert", im),
        ("ImageMagick, 2 processes by hand", im2),
        ("libvips vipsthumbnail + arrayjoin", vips),
    ]
    if jpeg_only:
        rows += [
            ("decode floor, 1 process", [floor, str(W), str(H)] + files),
            ("decode floor, 2 processes", shell(*("%s %d %d %s" % (floor, W, H, quote(part))
                                                   for part in (first, second)))),
        ]
    return rows


def format_tools(build, files, out, fmt, baseline=None):
    """framolin-strip and the peers writing `fmt` ("png" or "jpeg"); `baseline`'s
    framolin-strip too when given."""
    strip = os.path.join(build, "src/cli/framolin-strip")
    size = "%dx%d" % (W, H)
    ext = {"png": "png", "jpeg": "jpg"}[fmt]
    im_out = "%s:%s" % (fmt.upper(), os.path.join(out, "im." + ext))
    quality = ["-quality", "90"] if fmt == "jpeg" else []
    vips_dir = os.path.join(out, "vips")
    vips_target = "{o}/vips.{e}".format(o=out, e=ext) + ("[Q=90]" if fmt == "jpeg" else "")
    vips = ["bash", "-c",
            "rm -rf {d} && mkdir -p {d} && vipsthumbnail -s '{s}!' -o '{d}/%s.ppm' {f} && "
            "l=$(for f in {f}; do b=${{f##*/}}; printf '{d}/%s.ppm ' \"${{b%.*}}\"; done) && "
            "vips arrayjoin \"${{l% }}\" '{t}' --across 1".format(
                d=vips_dir, s=size, f=quote(files), t=vips_target)]
    before = []
    if baseline:
        old = os.path.join(baseline, "src/cli/framolin-strip")
        before = [("baseline framolin-strip -> %s" % fmt.upper(),
                   [old, "-q", "-o", out + "/old." + ext] + files),
                  ("baseline framolin-strip -> BMP", [old, "-q", "-o", out + "/old.bmp"] + files)]
    return [
        ("framolin-strip -> %s" % fmt.upper(), [strip, "-q", "-o", out + "/strip." + ext] + files),
        ("framolin-strip -> BMP", [strip, "-q", "-o", out + "/strip.bmp"] + files),
    ] + before + [
        ("GraphicsMagick gm convert -> %s" % fmt.upper(), ["gm", "convert", "-size", size] + files
         + ["-resize", size + "!", "-append", "+matte"] + quality + [im_out.replace("im.", "gm.")]),
        ("ImageMagick convert -> %s" % fmt.upper(), ["convert-im6.q16", "-define", "jpeg:size=" + size]
         + ["%s[%s!]" % (f, size) for f in files] + ["-append"] + quality + [im_out]),
        ("libvips vipsthumbnail + arrayjoin -> %s" % fmt.upper(), vips),
    ]


def corpus(build, root, name):
    folder = os.path.join(root, name)
    if not os.path.isdir(folder):
        subprocess.run([os.path.join(build, "bench/make_corpus"), name, folder], check=True)
        # Qt writes no GIF: every fourth mixed picture becomes one through ImageMagick.
        for bmp in sorted(glob.glob(os.path.join(folder, "*.gif.bmp"))):
            subprocess.run(["convert-im6.q16", bmp, bmp[:-4]], check=True)
            os.remove(bmp)
    return sorted(glob.glob(os.path.join(folder, "*")))


def run_set(build, name, files, reps, env, ours=False, fmt="bmp", baseline=None):
    if fmt == "jpeg":
        files = files[:65500 // H]  # one column of JPEG holds at most 65,500 rows
    out = tempfile.mkdtemp(prefix="framolin-bench-")
    try:
        rows = tools(build, files, out, baseline) if fmt == "bmp" else \
            format_tools(build, files, out, fmt, baseline)
        if ours:
            rows = [r for r in rows
                    if r[0].startswith(("framolin", "baseline", "window", "decode floor"))]
        results = {label: [] for label, _ in rows}
        for _ in range(reps):
            for label, command in rows:
                results[label].append(measure(command, env))
        reference = statistics.median(r[0] for r in results[rows[0][0]])
        print("\n### %s: %d pictures -> %d x %d %s, median of %d paired runs\n" % (
            name, len(files), W, H, fmt.upper(), reps))
        print("| tool | wall s | CPU s | peak RSS MiB | wall / framolin-strip | longest pause ms "
              "| click to file s |")
        print("|---|---:|---:|---:|---:|---:|---:|")
        for label, _ in rows:
            wall = statistics.median(r[0] for r in results[label])
            cpu = statistics.median(r[1] for r in results[label])
            rss = statistics.median(r[2] for r in results[label])
            pauses = [r[3] for r in results[label] if r[3] is not None]
            pause = "%.1f" % statistics.median(pauses) if pauses else ""
            clicks = [r[4] for r in results[label] if r[4] is not None]
            click = "%.2f" % statistics.median(clicks) if clicks else ""
            print("| %s | %.2f | %.2f | %.0f | %.2f× | %s | %s |" % (
                label, wall, cpu, rss, wall / reference, pause, click))
        # The ratios the targets are stated in, each taken within a repetition (paired).
        def ratio(a, b):
            if a not in results or b not in results:
                return None
            return statistics.median(x[0] / y[0] for x, y in zip(results[a], results[b]))
        # The window's assembly as the user waits for it: from the click on "Comenzar montaje"
        # to the saved file, against the whole framolin-strip command.
        window, strip = "window assembly (offscreen)", "framolin-strip (all cores)"
        for name in (window, "baseline window assembly"):
            if name in results and all(r[4] is not None for r in results[name]):
                print("\n%s, click to saved file / %s: %.2f× (median of paired ratios)" % (
                    name, strip, statistics.median(
                        x[4] / y[0] for x, y in zip(results[name], results[strip]))))
        if "baseline window assembly" in results:
            print("\n%s / baseline, click to saved file: %.2f× (median of paired ratios)" % (
                window, statistics.median(x[4] / y[4] for x, y in zip(
                    results[window], results["baseline window assembly"]))))
        for a, b in ((window, strip),
                     ("framolin-strip -> PNG", "framolin-strip -> BMP"),
                     ("framolin-strip -> JPEG", "framolin-strip -> BMP"),
                     ("baseline framolin-strip -> PNG", "baseline framolin-strip -> BMP"),
                     ("baseline framolin-strip -> JPEG", "baseline framolin-strip -> BMP"),
                     ("framolin-strip -> PNG", "baseline framolin-strip -> PNG"),
                     ("framolin-strip (all cores)", "decode floor, 2 processes"),
                     ("framolin-strip --jobs 1", "decode floor, 1 process")):
            value = ratio(a, b)
            if value is not None:
                print("\n%s / %s: %.2f× (median of paired ratios)" % (a, b, value))
        sys.stdout.flush()
    finally:
        shutil.rmtree(out, ignore_errors=True)


def run_huge(build, root, env):
    """10,000 frames: framolin-strip alone (the peers need 2-4 GiB for it), for its memory."""
    files = corpus(build, root, "huge")
    out = tempfile.mkdtemp(prefix="framolin-bench-")
    try:
        wall, cpu, rss, _, _ = measure([os.path.join(build, "src/cli/framolin-strip"), "-q", "-o",
                                  out + "/strip.bmp"] + files, env)
        print("\n### huge: %d pictures 640 x 480 -> %d x %d (strip %.1f GiB)\n" % (
            len(files), W, H, os.path.getsize(out + "/strip.bmp") / 2 ** 30))
        print("| tool | wall s | CPU s | peak RSS MiB |\n|---|---:|---:|---:|")
        print("| framolin-strip (all cores) | %.2f | %.2f | %.0f |" % (wall, cpu, rss))
    finally:
        shutil.rmtree(out, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--ours", action="store_true",
                        help="only framolin-strip, the window and the decode floor (no peers)")
    parser.add_argument("--sets", default="photos,jpegs,mixed,pngs,huge")
    parser.add_argument("--formats", default="bmp")
    parser.add_argument("--build", default=os.path.join(here, "..", "build-bench"))
    parser.add_argument("--baseline",
                        help="another build whose framolin-strip and window are timed beside")
    parser.add_argument("--corpus", default=os.path.join(here, "..", "build-bench", "corpus"))
    args = parser.parse_args()
    policy = tempfile.mkdtemp(prefix="framolin-im-policy-")
    with open(os.path.join(policy, "policy.xml"), "w") as f:
        f.write(IM_POLICY)  # lifts Debian's 16,000-row cap, which would split the strip
    env = dict(os.environ, MAGICK_CONFIGURE_PATH=policy, QT_QPA_PLATFORM="offscreen")
    print("Machine: %d cores; %s" % (os.cpu_count(), subprocess.run(
        ["uname", "-sr"], capture_output=True, text=True).stdout.strip()))
    for name in args.sets.split(","):
        if name == "huge":
            run_huge(args.build, args.corpus, env)
        else:
            files = corpus(args.build, args.corpus, name)
            for fmt in args.formats.split(","):
                run_set(args.build, name, files, args.reps, env, args.ours, fmt, args.baseline)
    shutil.rmtree(policy, ignore_errors=True)


if __name__ == "__main__":
    main()
