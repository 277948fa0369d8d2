#!/usr/bin/env python3
"""Measures the gathered web viewer on a large album.

Usage: scripts/measure-web-viewer.py LUMORA_CLI WORKDIR [PHOTOS]
           [--rounds N] [--against OTHER_CLI] [--gather-only]

Makes PHOTOS (500 by default) camera-sized photos (4000 x 3000 JPEG of 4
to 5 MB, with ImageMagick's convert; a few distinct pictures under distinct
names), an album of them, and gathers it with the viewer, without and with
the web sizes, N rounds (3 by default) on the machine's cores: the extra
time of the web sizes is the difference within each round, so that a
machine shared with other work weighs on both alike. With --against, each
round gathers with the other build too, one after the other, for a side by
side comparison of two builds. Then (unless --gather-only) opens the
gathered index.html from the file system in headless Chromium at 390 x 844
(pixel ratio 3) and 1920 x 1080, each in a fresh profile, and reads when
the first page's picture has loaded and which files were fetched before.
Prints one line per figure.
"""
import argparse
import os
import resource
import shutil
import subprocess
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import web_viewer_test as viewer_test  # noqa: E402  (its Browser over the DevTools pipe)

SOURCES = ["tiff/libtiffpics-pc260001.tif", "jpeg/imagers-progressive-cat.jpg",
           "tiff/libtiffpics-dscf0013.tif", "jpeg/ljt-testorig.jpg"]


def make_photos(data, folder, count):
    os.makedirs(folder, exist_ok=True)
    bases = []
    for i, source in enumerate(SOURCES):
        base = os.path.join(folder, f"base{i}.jpg")
        if not os.path.exists(base):
            subprocess.run(["convert", os.path.join(data, source) + "[0]", "-colorspace", "sRGB", "-type",
                            "TrueColor", "-resize", "4000x3000!", "-attenuate", "0.5", "+noise", "Gaussian",
                            "-quality", "92", "-sampling-factor", "2x2", base], check=True)
        bases.append(base)
    photos = []
    for i in range(count):
        photo = os.path.join(folder, f"IMG_{i:04d}.JPG")
        if not os.path.exists(photo):
            os.link(bases[i % len(bases)], photo)
        photos.append(photo)
    return photos


def folder_bytes(folder):
    total = 0
    for root, _, files in os.walk(folder):
        for name in files:
            total += os.path.getsize(os.path.join(root, name))
    return total


def gather(cli, album, destination, web_sizes):
    """Wall-clock and processor seconds (user and system) of one gather."""
    shutil.rmtree(destination, ignore_errors=True)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run([cli, "album", "gather", album, destination, "--web-sizes", web_sizes],
                   check=True, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return time.monotonic() - start, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


FIRST_PAGE = """(() => {
  const mark = performance.getEntriesByName("lumora-first-page")[0];
  return mark ? {ms: mark.startTime, at: performance.timeOrigin + mark.startTime} : null;
})()"""


def open_first_page(binary, url, metrics, profile):
    """When the first page showed, and the files asked for before then
    (from the DevTools network events: file:// fetches have no timing)."""
    shutil.rmtree(profile, ignore_errors=True)
    browser = viewer_test.Browser(binary, profile)
    try:
        browser.open("about:blank", metrics=metrics)
        browser.send("Network.enable")
        browser.send("Network.setCacheDisabled", {"cacheDisabled": True})
        browser.send("Page.navigate", {"url": url})
        deadline = time.time() + 30
        while time.time() < deadline:
            try:
                found = browser.evaluate(FIRST_PAGE)
            except RuntimeError:
                found = None
            if found:
                asked = [e["params"] for e in browser.events if e.get("method") == "Network.requestWillBeSent"]
                found["files"] = [a["request"]["url"] for a in asked
                                  if a["request"]["url"].startswith("file:") and a["wallTime"] * 1000 <= found["at"]]
                return found
            time.sleep(0.05)
        sys.exit("the first page never showed")
    finally:
        browser.close()


def time_web_sizes(clis, album, work, count, rounds):
    """Per build: each round's extra wall-clock and processor seconds a
    photo (gather with the web sizes minus gather without)."""
    extra = {cli: [] for cli in clis}
    for _ in range(rounds):
        for cli in clis:
            plain, plain_cpu = gather(cli, album, os.path.join(work, "without"), "off")
            sized, sized_cpu = gather(cli, album, os.path.join(work, "with"), "on")
            extra[cli].append(((sized - plain) / count, (sized_cpu - plain_cpu) / count))
    return extra


def report_web_sizes(extra, count, cores):
    for cli, runs in extra.items():
        walls = sorted(1000 * wall for wall, _ in runs)
        cpus = sorted(1000 * cpu for _, cpu in runs)
        median = len(runs) // 2
        print(f"{cli}: web sizes' extra time a photo, median of {len(runs)} rounds: "
              f"{walls[median]:.0f} ms wall clock (rounds {', '.join(f'{w:.0f}' for w in walls)}); "
              f"processor time {cpus[median]:.0f} ms, {cpus[median] / cores:.0f} ms over {cores} cores "
              f"(rounds {', '.join(f'{c:.0f}' for c in cpus)})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("work")
    parser.add_argument("photos", type=int, nargs="?", default=500)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--against", help="another build's lumora-cli, timed in the same rounds")
    parser.add_argument("--gather-only", action="store_true")
    args = parser.parse_args()
    cli, work, count = os.path.abspath(args.cli), os.path.abspath(args.work), args.photos
    data = os.environ.get("LUMORA_TESTDATA", os.path.join(os.path.dirname(__file__), "..", "..", "shared",
                                                          "testdata"))
    os.makedirs(work, exist_ok=True)
    photos = make_photos(data, os.path.join(work, "photos"), count)
    album = os.path.join(work, "photos", f"grand-{count}.qza")
    if not os.path.exists(album):
        # Made under another name first: a run stopped half-way leaves no
        # album that looks complete.
        partial = album + ".partial.qza"
        if os.path.exists(partial):
            os.remove(partial)
        subprocess.run([cli, "album", "new", partial, "--title", "Cinq cents photos", "--layout", "2"], check=True)
        for start in range(0, len(photos), 100):
            subprocess.run([cli, "album", "add", partial, *photos[start:start + 100]], check=True,
                           stdout=subprocess.DEVNULL)
        os.rename(partial, album)
    originals = sum(os.path.getsize(p) for p in photos)

    cores = os.cpu_count()
    clis = [cli] + ([os.path.abspath(args.against)] if args.against else [])
    print(f"photos: {count}, originals {originals / 1e6:.0f} MB, cores {cores}, "
          f"load average {os.getloadavg()[0]:.1f}")
    report_web_sizes(time_web_sizes(clis, album, work, count, args.rounds), count, cores)
    if args.against:
        gather(cli, album, os.path.join(work, "with"), "on")  # the folder measured below is this build's
    if args.gather_only:
        return 0
    folder = os.path.join(work, "with")
    whole = folder_bytes(folder)
    print(f"gathered folder: {whole / 1e6:.0f} MB = {whole / originals:.2f} x the originals "
          f"(web sizes {folder_bytes(os.path.join(folder, 'lumora-web', 'photos')) / 1e6:.0f} MB, "
          f"pages {folder_bytes(os.path.join(folder, 'lumora-web', 'pages')) / 1e6:.0f} MB)")

    binary = viewer_test.find_browser()
    if not binary:
        sys.exit("no Chromium installed")
    url = "file://" + urllib.parse.quote(folder) + "/index.html"
    for metrics in ((390, 844, 3), (1920, 1080, 1)):
        runs = [open_first_page(binary, url, metrics, os.path.join(work, "profile")) for _ in range(3)]
        best = min(runs, key=lambda r: r["ms"])
        paths = [urllib.parse.unquote(urllib.parse.urlparse(f).path) for f in best["files"]]
        fetched = sum(os.path.getsize(p) for p in paths if os.path.isfile(p))
        names = ", ".join(os.path.relpath(p, folder) for p in paths)
        print(f"{metrics[0]} x {metrics[1]} (x{metrics[2]}): first page at {best['ms']:.0f} ms "
              f"(runs {', '.join(str(round(r['ms'])) for r in runs)}), {fetched / 1e6:.2f} MB before it: {names}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
