#!/usr/bin/env python3
"""The gathered web viewer in a real headless browser.

Usage: web_viewer_test.py LUMORA_CLI TESTDATA WORKDIR

Makes an album with the command line (three photos, one with a description,
a WAVE sound and a MIDI sound, two sections), gathers it with conversion,
moves the folder and deletes the originals, then opens index.html from the
file system in Chromium driven over its DevTools pipe: the page loads with
no console error, shows the cover, turns to the first spread on Page Down,
opens a photo on a click with its description, closes it with Escape, runs
the slideshow, and a section tab turns to its section. Then the same
folder in headless Firefox: a probe page beside index.html drives the viewer
in a frame (keys, clicks, the photo, the slideshow) and reports on the
console, which Firefox prints with every JavaScript error. Exits 77
(skipped) only when no Chromium is installed; without Firefox its pass is
skipped with a line saying so.
"""
import json
import os
import selectors
import shutil
import struct
import subprocess
import sys
import time
import urllib.parse
import wave

SKIP = 77


def find_browser():
    for name in ("chromium-headless-shell", "chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    return None


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True, errors="surrogateescape")
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({result.returncode}): {result.stderr}")
    return result.stdout


def write_wave(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(8000)
        w.writeframes(struct.pack("<800h", *([0, 3000] * 400)))


def write_midi(path):
    track = bytes([0x00, 0x90, 60, 64, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(track)) + track)


class Browser:
    """Chromium with the DevTools protocol on file descriptors 3 and 4."""

    def __init__(self, binary, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()
        # The child's descriptors 3 and 4 are the pipe's ends.
        def child_setup():
            read_end, write_end = os.dup(to_browser_r), os.dup(from_browser_w)  # out of 3 and 4's way
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)
        self.process = subprocess.Popen(
            [binary, "--headless", "--no-sandbox", "--disable-gpu", "--remote-debugging-pipe",
             "--user-data-dir=" + profile, "--window-size=1280,900", "--no-first-run",
             "--autoplay-policy=no-user-gesture-required", "about:blank"],
            preexec_fn=child_setup, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.next_id = 0
        self.buffer = b""
        self.events = []
        self.session = None

    def send(self, method, params=None, session=True):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        wanted = self.next_id
        deadline = time.time() + 30
        while time.time() < deadline:
            reply = self.read()
            if reply.get("id") == wanted:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)
        raise RuntimeError(f"{method}: no answer")

    def read(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.from_browser, 65536)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def open(self, url):
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Log", "Page"):
            self.send(domain + ".enable")
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, what, seconds=10):
        deadline = time.time() + seconds
        problem = ""
        while time.time() < deadline:
            try:
                if self.evaluate(expression):
                    return
            except RuntimeError as error:  # the page may not be there yet
                problem = str(error)
            time.sleep(0.05)
        sys.exit(f"not seen: {what} ({expression}) {problem}")

    def key(self, key, code, keycode):
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code,
                                                 "windowsVirtualKeyCode": keycode})

    def click_element(self, selector):
        box = self.evaluate(f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
                            ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": box[0], "y": box[1],
                                                   "button": "left", "clickCount": 1})

    def errors(self):
        found = []
        for event in self.events:
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.exceptionThrown":
                found.append(params["exceptionDetails"].get("text", "exception"))
            elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
                found.append(str(params.get("args")))
            elif method == "Log.entryAdded" and params["entry"].get("level") == "error":
                found.append(params["entry"].get("text", ""))
        return found

    def close(self):
        try:
            self.send("Browser.close", session=False)
        except RuntimeError:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()


# Runs in a page beside index.html: the viewer in a frame, driven as a user
# would, the outcome on the console.
FIREFOX_PROBE = """<!DOCTYPE html><meta charset="utf-8"><title>probe</title>
<iframe id="viewer" src="index.html" style="width:1280px;height:900px"></iframe>
<script>
const frame = document.getElementById("viewer");
frame.addEventListener("load", async () => {
  const w = frame.contentWindow, d = w.document;
  const pause = (ms) => new Promise((done) => setTimeout(done, ms));
  const wait = async (condition, what) => {
    for (let i = 0; i < 200; ++i) {
      try { if (condition()) return; } catch (e) {}
      await pause(50);
    }
    throw new Error("not seen: " + what);
  };
  const key = (name) => d.dispatchEvent(new w.KeyboardEvent("keydown", {key: name, bubbles: true}));
  try {
    await wait(() => d.body.dataset.spread === "0" && d.getElementById("spread").complete &&
                     d.getElementById("spread").naturalWidth === 1160, "the cover at twice the size");
    key("PageDown");
    await wait(() => d.body.dataset.spread === "1", "the next spread after Page Down");
    key("End");
    await wait(() => d.body.dataset.spread === String(w.LUMORA_ALBUM.spreads.length - 1), "the back cover");
    key("Home");
    await wait(() => d.body.dataset.spread === "0", "the cover again");
    while (!d.querySelector('.hotspot.photo[data-photo="0"]')) {
      d.querySelector(".hotspot.turn.next").click();
      await pause(100);
    }
    d.querySelector('.hotspot.photo[data-photo="0"]').click();
    await wait(() => !d.getElementById("photo").hidden && d.getElementById("photo-image").naturalWidth > 0,
               "the photo over the page");
    key("Escape");
    await wait(() => d.getElementById("photo").hidden, "the photo closed by Escape");
    d.getElementById("slideshow").click();
    await wait(() => !d.getElementById("show").hidden && d.getElementById("show-image").naturalWidth > 0,
               "the slideshow's first photo");
    key("ArrowRight");
    await wait(() => d.getElementById("show").dataset.photo === "1", "the second photo");
    key("Escape");
    await wait(() => d.getElementById("show").hidden, "the slideshow closed");
    console.log("PROBE OK");
  } catch (error) {
    console.log("PROBE FAILED " + error.message);
  }
});
</script>
"""

FIREFOX_PREFERENCES = """user_pref("devtools.console.stdout.content", true);
user_pref("browser.dom.window.dump.enabled", true);
user_pref("security.fileuri.strict_origin_policy", false);
user_pref("media.autoplay.default", 0);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.disabledForTesting", true);
"""


def check_in_firefox(folder, work):
    binary = shutil.which("firefox-esr") or shutil.which("firefox")
    if not binary:
        print("no Firefox installed: its checks skipped")
        return
    profile = os.path.join(work, "firefox-profile")
    os.makedirs(profile)
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.write(FIREFOX_PREFERENCES)
    probe = os.path.join(folder, "probe.html")
    with open(probe, "w") as f:
        f.write(FIREFOX_PROBE)
    process = subprocess.Popen([binary, "--headless", "--no-remote", "--profile", profile,
                                "file://" + urllib.parse.quote(probe)],
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    lines, outcome = [], None
    selector = selectors.DefaultSelector()
    selector.register(process.stdout, selectors.EVENT_READ)
    deadline = time.time() + 90
    try:
        while outcome is None and time.time() < deadline:
            if not selector.select(timeout=1):
                continue
            line = process.stdout.readline()
            if not line:
                break
            lines.append(line.rstrip())
            if "PROBE " in line:
                outcome = line.strip()
    finally:
        process.kill()
        process.wait()
    # Firefox reports the page's own errors as "JavaScript error: file://...";
    # its background services (no network here) report under other names.
    errors = [line for line in lines if line.startswith("JavaScript error: file://")]
    if errors:
        sys.exit("Firefox: " + "; ".join(errors))
    if outcome is None or "PROBE OK" not in outcome:
        sys.exit(f"Firefox: {outcome or 'no answer from the probe'}\n" + "\n".join(lines[-20:]))
    print("web viewer in Firefox: all checks passed")


def make_album(cli, data, work):
    originals = os.path.join(work, "originals")
    os.makedirs(originals)
    photos = []
    for name in ("jpeg/imagers-progressive-cat.jpg", "bmp/bmpsuite-g-pal1.bmp", "jpeg/imagers-progressive-test.jpg"):
        # A name with a space, a "#" and a byte that is no UTF-8 (0xFF).
        copy = os.path.join(originals, os.path.basename(name).replace("pal1", "pal 1 #\udcff"))
        shutil.copy(os.path.join(data, name), copy)
        photos.append(copy)
    write_wave(os.path.join(originals, "miaou.wav"))
    write_midi(os.path.join(originals, "air.mid"))
    album = os.path.join(originals, "vacances.qza")
    run(cli, "album", "new", album, "--title", "Vacances à Brest", "--layout", "2", "--tabs", "on")
    run(cli, "album", "add", album, *photos)
    run(cli, "album", "describe", album, "0", "Le chat <b>du voisin</b>")
    run(cli, "album", "sound", album, "0", os.path.join(originals, "miaou.wav"))
    run(cli, "album", "sound", album, "1", os.path.join(originals, "air.mid"))
    run(cli, "album", "add-tab", album, "--before", "2", "--name", "Plage")
    return originals, album


def main():
    cli, data, work = sys.argv[1:4]
    browser_binary = find_browser()
    if not browser_binary:
        print("no Chromium installed: skipped")
        return SKIP
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    originals, album = make_album(cli, data, work)
    gathered = os.path.join(work, "gathered")
    run(cli, "album", "gather", album, gathered, "--jpeg", "on", "--compression", "20")
    moved = os.path.join(work, "moved elsewhere")
    shutil.move(gathered, moved)
    shutil.rmtree(originals)

    browser = Browser(browser_binary, os.path.join(work, "profile"))
    try:
        url = "file://" + urllib.parse.quote(moved) + "/index.html"
        browser.open(url)
        browser.wait_for("document.readyState === 'complete'", "the page loaded")
        browser.wait_for("document.body.dataset.spread === '0' && document.getElementById('spread').complete"
                         " && document.getElementById('spread').naturalWidth === 1160", "the cover at twice the size")
        assert browser.evaluate("document.getElementById('location').textContent") == "Couverture"
        assert browser.evaluate("document.title") == "Vacances à Brest"

        browser.key("PageDown", "PageDown", 34)
        browser.wait_for("document.body.dataset.spread === '1'", "the next spread after Page Down")
        browser.key("End", "End", 35)
        browser.wait_for("document.body.dataset.spread === String(LUMORA_ALBUM.spreads.length - 1)", "the back cover")
        browser.key("Home", "Home", 36)
        browser.wait_for("document.body.dataset.spread === '0'", "the cover again")

        # A click on the cover opens the book; the spread of photo 0 is found
        # by turning pages with the next corner.
        browser.click_element(".hotspot.turn.next")
        browser.wait_for("document.body.dataset.spread === '1'", "the book opened by a click")
        while not browser.evaluate("!!document.querySelector('.hotspot.photo[data-photo=\"0\"]')"):
            browser.click_element(".hotspot.turn.next")
            time.sleep(0.1)
        browser.click_element('.hotspot.photo[data-photo="0"]')
        browser.wait_for("!document.getElementById('photo').hidden && document.getElementById('photo-image').complete"
                         " && document.getElementById('photo-image').naturalWidth > 0", "the photo over the page")
        assert browser.evaluate("document.getElementById('photo-caption').textContent") == "Le chat <b>du voisin</b>"
        assert browser.evaluate("document.getElementById('photo-image').src").endswith("imagers-progressive-cat.JPG")
        browser.key("Escape", "Escape", 27)
        browser.wait_for("document.getElementById('photo').hidden", "the photo closed by Escape")

        # The section tab "Plage" turns to its section.
        browser.wait_for("!!document.querySelector('.hotspot.tab')", "a section tab")
        target = browser.evaluate("document.querySelector('.hotspot.tab[title=\"Plage\"]').dataset.spread")
        browser.click_element('.hotspot.tab[title="Plage"]')
        browser.wait_for(f"document.body.dataset.spread === '{target}'", "the section of the tab")

        # The slideshow: the first photo with its WAVE sound, the MIDI one silent.
        browser.click_element("#slideshow")
        browser.wait_for("!document.getElementById('show').hidden && document.getElementById('show-image')"
                         ".naturalWidth > 0", "the slideshow's first photo")
        assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") == "miaou.wav"
        browser.key("ArrowRight", "ArrowRight", 39)
        browser.wait_for("document.getElementById('show').dataset.photo === '1'", "the second photo")
        # Its file found by its bytes, not replaced by the preview.
        browser.wait_for("document.getElementById('show-image').complete && document.getElementById('show-image')"
                         ".naturalWidth > 0 && document.getElementById('show-image').src.endsWith('%23%FF.JPG')",
                         "the second photo's own file, named with a byte that is no UTF-8")
        assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") is None
        browser.key("Escape", "Escape", 27)
        browser.wait_for("document.getElementById('show').hidden", "the slideshow closed")

        errors = browser.errors()
        if errors:
            sys.exit("console errors: " + "; ".join(errors))
    finally:
        browser.close()
    print("web viewer: all checks passed")
    check_in_firefox(moved, work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
