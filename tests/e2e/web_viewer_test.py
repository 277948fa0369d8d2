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
console, which Firefox prints with every JavaScript error.

Then the phone and everyone: at 390 x 844 (device pixel ratio 3) the book
shows one page at a time at the size the screen needs and a swipe made of
dispatched pointer events turns it; "#photo-3" opens the third photo at its
copy for the screen, a double tap and a pinch zoom it, a swipe goes to the
next; Back walks back the pages turned; focus stays inside
the photo view and the slideshow and comes back to what opened them;
reduced motion turns pages by a cross-fade; sounds wait for a gesture and
the "Son" button mutes them; axe-core, run inside the page, finds nothing
serious or critical on the spread, the photo view and the slideshow, wide
and narrow. The album's tab name and a file name hold "</script>", quotes,
backslashes, U+2028 and bytes that are not UTF-8: the data stays valid.

Exits 77 (skipped) only when no Chromium is installed; without Firefox its
pass is skipped with a line saying so. axe-core comes from
tests/e2e/node_modules (scripts/setup-deps.sh test, or npm ci here).
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
        sys.exit(f"{' '.join(map(os.fsdecode, args))} failed ({result.returncode}): {result.stderr}")
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

    def open(self, url, metrics=None, media=None):
        """A new tab at `url`, with `metrics` (width, height, pixel ratio) and
        emulated media `media` ({"prefers-reduced-motion": "reduce"})."""
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Log", "Page"):
            self.send(domain + ".enable")
        if metrics:
            width, height, ratio = metrics
            self.send("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                             "deviceScaleFactor": ratio, "mobile": width < 800})
            self.send("Emulation.setTouchEmulationEnabled", {"enabled": width < 800})
        if media:
            self.send("Emulation.setEmulatedMedia",
                      {"features": [{"name": k, "value": v} for k, v in media.items()]})
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression, wait=False):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": wait})
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

    def enter(self):
        """Enter as typed: it activates the focused button."""
        for kind in ("keyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": "Enter", "code": "Enter",
                                                 "windowsVirtualKeyCode": 13, "text": "\r"})

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
                     /pages\/000\.jpg$/.test(d.getElementById("spread").currentSrc), "the cover at twice the size");
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
    # A tab and a file whose names could break out of the data script.
    odd = os.path.join(originals, "odd")
    os.makedirs(odd)
    # (A backslash in a photo's path separates folders, as albums store them.)
    odd_photo = os.fsencode(odd) + b"/\xff\"quote\xe2\x80\xa8line.jpg"
    shutil.copy(os.path.join(data, "jpeg/imagers-progressive-test.jpg"), odd_photo)
    run(cli, "album", "add", album, odd_photo)
    run(cli, "album", "add-tab", album, "--before", "3", "--name", ODD_TAB)
    return originals, album


ODD_TAB = '</script><script>window.injected = 1</script> "\\ \u2028'


def check_data_script(folder):
    """album.js is one statement whose strings hold the odd names whole."""
    with open(os.path.join(folder, "lumora-web", "album.js"), "rb") as f:
        raw = f.read()
    text = raw.decode("utf-8")  # valid UTF-8, or this raises
    assert b"</" not in raw and "\u2028" not in text, "a script end or a line separator left raw"
    prefix, suffix = "var LUMORA_ALBUM = ", ";\n"
    assert text.startswith(prefix) and text.endswith(suffix)
    data = json.loads(text[len(prefix):-len(suffix)])
    names = [tab["name"] for spread in data["spreads"] for tab in spread["tabs"]]
    assert ODD_TAB in names, names
    odd = [p for p in data["photos"] if "quote" in p["name"]]
    assert odd and odd[0]["name"] == '\ufffd"quote\u2028line.jpg', odd


AXE_WANTED = ("serious", "critical")


def axe_source():
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "node_modules", "axe-core", "axe.min.js")
    if not os.path.exists(path) and shutil.which("npm"):
        subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--silent"], cwd=here, check=False)
    if not os.path.exists(path):
        sys.exit("axe-core is missing: run scripts/setup-deps.sh test (npm ci in tests/e2e)")
    with open(path, encoding="utf-8") as f:
        return f.read()


def check_axe(browser, source, where):
    """No serious or critical violation in the page as it is now."""
    if not browser.evaluate("!!window.axe"):
        browser.evaluate(source)
    found = browser.evaluate(
        "axe.run(document, {resultTypes: ['violations'], preload: false}).then(r => r.violations"
        f".filter(v => {json.dumps(list(AXE_WANTED))}.includes(v.impact))"
        ".map(v => v.id + ' (' + v.impact + '): ' + v.nodes.map(n => n.target.join(' ')).join(', ')))",
        wait=True)
    if found:
        sys.exit(f"axe-core on {where}: " + "; ".join(found))


def swipe(browser, selector, towards_left):
    """A horizontal stroke of a touch pointer, as dispatched pointer events."""
    browser.evaluate(f"""(() => {{
      const target = document.querySelector({json.dumps(selector)});
      const r = target.getBoundingClientRect(), y = r.y + r.height / 2;
      const xs = {json.dumps([0.8, 0.5, 0.2] if towards_left else [0.2, 0.5, 0.8])};
      const send = (type, f) => target.dispatchEvent(new PointerEvent(type, {{pointerId: 7, isPrimary: true,
        pointerType: "touch", clientX: r.x + r.width * f, clientY: y, bubbles: true}}));
      send("pointerdown", xs[0]); send("pointermove", xs[1]); send("pointerup", xs[2]);
    }})()""")


def touch(browser, selector, events):
    """Touch pointers (type, id, offset from the centre in CSS pixels)."""
    browser.evaluate(f"""(() => {{
      const target = document.querySelector({json.dumps(selector)});
      const r = target.getBoundingClientRect(), x = r.x + r.width / 2, y = r.y + r.height / 2;
      for (const [type, id, dx] of {json.dumps(events)})
        target.dispatchEvent(new PointerEvent(type, {{pointerId: id, isPrimary: id === 1, pointerType: "touch",
          clientX: x + dx, clientY: y, bubbles: true}}));
    }})()""")


def active(browser):
    return browser.evaluate("(() => { const e = document.activeElement; return e.id || e.className + ' ' +"
                            " (e.dataset.photo || ''); })()")


def check_desktop(browser, url, axe):
    browser.open(url)
    browser.wait_for("document.readyState === 'complete'", "the page loaded")
    browser.wait_for("document.body.dataset.spread === '0' && document.getElementById('spread').complete"
                     " && /pages\\/000\\.jpg$/.test(document.getElementById('spread').currentSrc)",
                     "the cover at twice the size")
    assert browser.evaluate("document.getElementById('location').textContent") == "Couverture"
    assert browser.evaluate("document.title") == "Vacances à Brest — Couverture"
    assert browser.evaluate("document.documentElement.lang") == "fr"
    assert not browser.evaluate("window.injected"), "a tab's name ran as script"
    check_axe(browser, axe, "the cover")

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
    assert browser.evaluate("location.hash") == "#page-1"
    assert browser.evaluate("document.title") == "Vacances à Brest — Page 1"
    check_axe(browser, axe, "a spread")
    browser.click_element('.hotspot.photo[data-photo="0"]')
    browser.wait_for("!document.getElementById('photo').hidden && document.getElementById('photo-image').complete"
                     " && document.getElementById('photo-image').naturalWidth > 0", "the photo over the page")
    assert browser.evaluate("document.getElementById('photo-caption').textContent") == "Le chat <b>du voisin</b>"
    assert browser.evaluate("document.getElementById('photo-image').alt") == "Le chat <b>du voisin</b>"
    # The copy for the screen (the 320-pixel cat is its own size), the
    # original a link away.
    assert browser.evaluate("document.getElementById('photo-image').currentSrc").endswith("photos/0000-320.jpg")
    assert browser.evaluate("document.getElementById('photo-original').getAttribute('href')") \
        == "imagers-progressive-cat.JPG"
    assert browser.evaluate("location.hash") == "#photo-1"
    check_axe(browser, axe, "the photo view")
    browser.key("Escape", "Escape", 27)
    browser.wait_for("document.getElementById('photo').hidden", "the photo closed by Escape")
    browser.wait_for("location.hash === '#page-1'", "the page's address back")

    # By keyboard: the photo's button opens it, Tab stays inside the view,
    # Escape gives the focus back to the button.
    browser.evaluate("document.querySelector('.hotspot.photo[data-photo=\"1\"]').focus()")
    browser.enter()
    browser.wait_for("!document.getElementById('photo').hidden", "the photo opened by Enter")
    # Named with a byte that is no UTF-8: shown readably, its file found by its bytes.
    assert browser.evaluate("document.getElementById('photo-image').alt") == "bmpsuite-g-pal 1 #\ufffd.bmp"
    assert browser.evaluate("document.getElementById('photo-original').getAttribute('href')").endswith("%23%FF.JPG")
    for _ in range(7):
        browser.key("Tab", "Tab", 9)
        assert browser.evaluate("document.getElementById('photo').contains(document.activeElement)"), \
            f"Tab left the photo view for {active(browser)}"
    browser.key("Escape", "Escape", 27)
    browser.wait_for("document.getElementById('photo').hidden", "the photo closed")
    assert active(browser) == "hotspot photo 1", f"focus went to {active(browser)}"

    # The section tab "Plage" turns to its section.
    browser.wait_for("!!document.querySelector('.hotspot.tab')", "a section tab")
    target = browser.evaluate("document.querySelector('.hotspot.tab[title=\"Plage\"]').dataset.spread")
    browser.click_element('.hotspot.tab[title="Plage"]')
    browser.wait_for(f"document.body.dataset.spread === '{target}'", "the section of the tab")

    # The slideshow: the first photo with its WAVE sound, the MIDI one silent;
    # the "Son" button mutes; focus trapped and given back.
    browser.click_element("#slideshow")
    browser.wait_for("!document.getElementById('show').hidden && document.getElementById('show-image')"
                     ".naturalWidth > 0", "the slideshow's first photo")
    assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") == "miaou.wav"
    assert browser.evaluate("location.hash") == "#diaporama"
    check_axe(browser, axe, "the slideshow")
    for _ in range(10):
        browser.key("Tab", "Tab", 9)
        assert browser.evaluate("document.getElementById('show').contains(document.activeElement)"), \
            f"Tab left the slideshow for {active(browser)}"
    browser.click_element("#show-bar .sound-toggle")
    assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") is None
    assert browser.evaluate("document.querySelector('#show-bar .sound-toggle').getAttribute('aria-pressed')") \
        == "false"
    browser.click_element("#show-bar .sound-toggle")
    assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") == "miaou.wav"
    browser.key("ArrowRight", "ArrowRight", 39)
    browser.wait_for("document.getElementById('show').dataset.photo === '1'", "the second photo")
    assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") is None
    browser.key("Escape", "Escape", 27)
    browser.wait_for("document.getElementById('show').hidden", "the slideshow closed")
    # (Leaving full screen, which takes a moment, must not drop the focus.)
    browser.wait_for("document.activeElement === document.getElementById('slideshow')", "focus back on Diaporama")


def check_phone(browser, folder_url, axe):
    # One page at a time, its picture as large as the screen needs.
    browser.open(folder_url + "#page-1", metrics=(390, 844, 3))
    browser.wait_for("document.body.classList.contains('narrow') && document.getElementById('spread').complete"
                     " && document.getElementById('spread').naturalWidth > 0", "the phone's first page")
    assert browser.evaluate("document.getElementById('spread').currentSrc").endswith("pages/002-r.jpg")
    assert browser.evaluate("document.getElementById('location').textContent") == "Page 1"
    width = browser.evaluate("document.getElementById('book').getBoundingClientRect().width")
    assert 350 <= width <= 390, width
    assert browser.evaluate("getComputedStyle(document.getElementById('sections')).display") == "none"
    check_axe(browser, axe, "a page on a phone")
    browser.click_element("#menu")
    browser.wait_for("getComputedStyle(document.getElementById('sections')).display === 'flex'", "the menu open")
    check_axe(browser, axe, "the sections' menu")
    browser.key("Escape", "Escape", 27)
    assert active(browser) == "menu"

    # A swipe to the left turns to page 2, one to the right back to page 1.
    swipe(browser, "#book", towards_left=True)
    browser.wait_for("document.getElementById('location').textContent === 'Page 2'", "page 2 after a swipe")
    assert browser.evaluate("location.hash") == "#page-2"
    assert browser.evaluate("getComputedStyle(document.getElementById('spread')).animationName") \
        == "lumora-turn-next"
    swipe(browser, "#book", towards_left=False)
    browser.wait_for("document.getElementById('location').textContent === 'Page 1'", "page 1 after a swipe back")
    # Back walks the pages turned: page 2, then page 1 again.
    browser.evaluate("history.back()")
    browser.wait_for("document.getElementById('location').textContent === 'Page 2'", "page 2 after Back")
    browser.evaluate("history.back()")
    browser.wait_for("document.getElementById('location').textContent === 'Page 1'", "page 1 after Back")

    # A link to the third photo opens it, underneath its own page.
    browser.open(folder_url + "#photo-3", metrics=(390, 844, 3))
    browser.wait_for("!document.getElementById('photo').hidden && document.getElementById('photo').dataset.photo"
                     " === '2' && document.getElementById('photo-image').naturalWidth > 0", "photo 3 from its link")
    assert browser.evaluate("document.getElementById('photo-image').currentSrc").endswith("photos/0002-32.jpg")
    check_axe(browser, axe, "the photo view on a phone")
    # A double tap zooms in and out; two fingers drawn apart zoom by as much.
    touch(browser, "#photo-frame", [("pointerdown", 1, 0), ("pointerup", 1, 0), ("pointerdown", 1, 0),
                                    ("pointerup", 1, 0)])
    assert browser.evaluate("document.getElementById('photo').classList.contains('zoomed')"), "double tap"
    touch(browser, "#photo-frame", [("pointerdown", 1, 0), ("pointerup", 1, 0), ("pointerdown", 1, 0),
                                    ("pointerup", 1, 0)])
    assert not browser.evaluate("document.getElementById('photo').classList.contains('zoomed')")
    touch(browser, "#photo-frame", [("pointerdown", 1, -20), ("pointerdown", 2, 20), ("pointermove", 1, -60),
                                    ("pointermove", 2, 60), ("pointerup", 1, -60), ("pointerup", 2, 60)])
    assert "scale(3)" in browser.evaluate("document.getElementById('photo-image').style.transform")
    browser.key("-", "Minus", 189)
    browser.key("-", "Minus", 189)
    browser.key("-", "Minus", 189)
    assert not browser.evaluate("document.getElementById('photo').classList.contains('zoomed')"), "- zooms out"
    swipe(browser, "#photo-frame", towards_left=True)
    browser.wait_for("document.getElementById('photo').dataset.photo === '3'", "the next photo after a swipe")
    browser.key("Escape", "Escape", 27)
    browser.wait_for("document.getElementById('photo').hidden", "the photo closed")

    # A link to the slideshow: silent until a gesture.
    browser.open(folder_url + "#diaporama", metrics=(390, 844, 3))
    browser.wait_for("!document.getElementById('show').hidden && document.getElementById('show-image')"
                     ".naturalWidth > 0", "the slideshow from its link")
    assert browser.evaluate("document.getElementById('show-sound').getAttribute('src')") is None
    check_axe(browser, axe, "the slideshow on a phone")
    browser.click_element("#show-count")
    browser.wait_for("document.getElementById('show-sound').getAttribute('src') === 'miaou.wav'",
                     "the sound after the first gesture")

    # Reduced motion: pages cross-fade.
    browser.open(folder_url + "#page-1", metrics=(390, 844, 3), media={"prefers-reduced-motion": "reduce"})
    browser.wait_for("document.getElementById('location').textContent === 'Page 1'", "page 1")
    swipe(browser, "#book", towards_left=True)
    browser.wait_for("document.getElementById('location').textContent === 'Page 2'", "page 2")
    assert browser.evaluate("getComputedStyle(document.getElementById('spread')).animationName") == "lumora-fade"


def main():
    cli, data, work = sys.argv[1:4]
    browser_binary = find_browser()
    if not browser_binary:
        print("no Chromium installed: skipped")
        return SKIP
    axe = axe_source()
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    originals, album = make_album(cli, data, work)
    gathered = os.path.join(work, "gathered")
    run(cli, "album", "gather", album, gathered, "--jpeg", "on", "--compression", "20")
    moved = os.path.join(work, "moved elsewhere")
    shutil.move(gathered, moved)
    shutil.rmtree(originals)
    check_data_script(moved)

    browser = Browser(browser_binary, os.path.join(work, "profile"))
    try:
        url = "file://" + urllib.parse.quote(moved) + "/index.html"
        check_desktop(browser, url, axe)
        check_phone(browser, url, axe)
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
