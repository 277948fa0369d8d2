#!/usr/bin/env python3
"""Checks the #include lines of src/ against the rooms' dependency rules.

Usage: check_layering.py SOURCE_DIR   (the checkout; exits 1 on a breach)

core/ has no Qt at all and depends only downwards: platform, res and layout
at the bottom; the picture type above platform and res; colour and formats
above the picture; the picture document above formats and colour; the album
above those and layout; the features (gather, print, slideshow, sound,
properties) above the album, the gather also on sound. gui/ uses core/ and
Qt, never app/ or cli/; app/ uses gui/ and core/; cli/ uses core/ and gui/.
The core never shows a message itself: it returns what happened, and gui/
and cli/ tell the user (only core/platform/services defines the calls).
"""
import os
import re
import sys

PICTURES = {"picture", "colour", "formats", "picture_document"}
ALBUM_AND_BELOW = PICTURES | {"album", "layout", "platform", "res"}
CORE_BELOW = {
    "platform": set(),
    "res": set(),
    "layout": {"platform"},
    "picture": {"platform", "res"},
    "colour": {"picture", "platform", "res"},
    "formats": {"picture", "platform", "res"},
    "picture_document": {"picture", "colour", "formats", "platform", "res"},
    "album": ALBUM_AND_BELOW - {"album"},
    "sound": ALBUM_AND_BELOW,
    "print": ALBUM_AND_BELOW,
    "slideshow": ALBUM_AND_BELOW,
    "properties": ALBUM_AND_BELOW,
    "gather": ALBUM_AND_BELOW | {"sound"},
    "import": ALBUM_AND_BELOW,
}
# The GUI's own bottom: platform glue and the shared widgets build on nothing
# of the features above them.
GUI_BELOW = {
    "platform": set(),
    "help": {"platform"},
    "widgets": {"platform", "help"},
}
ROOMS_ALLOWED = {
    "gui": {"core", "gui"},
    "app": {"core", "gui", "app"},
    "cli": {"core", "gui", "cli"},
}
QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SHOWS_A_MESSAGE = re.compile(r'\b(ReportStop|ShowHeldMessages|CurrentErrorReporter)\s*\(')
COMMENT = re.compile(r'^\s*//')
ANGLED = re.compile(r'^\s*#\s*include\s+<([^>]+)>')


def is_qt_header(name):
    return name.startswith("Q") or name.startswith("qt") and "/" in name


def breaches(relpath, lines):
    parts = relpath.split("/")  # src/<room>/<folder>/...
    room = parts[1]
    folder = parts[2] if room in ("core", "gui") and len(parts) > 3 else None
    shows_allowed = relpath.startswith("src/core/platform/services.")
    for number, line in enumerate(lines, 1):
        where = f"{relpath}:{number}"
        if room == "core" and not shows_allowed and not COMMENT.match(line):
            shown = SHOWS_A_MESSAGE.search(line)
            if shown:
                yield f"{where}: the core shows a message ({shown.group(1)}); return it to the caller"
        angled = ANGLED.match(line)
        if angled and room == "core" and is_qt_header(angled.group(1)):
            yield f"{where}: the core includes the Qt header <{angled.group(1)}>"
        quoted = QUOTED.match(line)
        if not quoted:
            continue
        target = quoted.group(1).split("/")
        if len(target) < 2:
            continue  # a header beside the file
        target_room = target[0]
        if room == "core":
            if target_room != "core":
                yield f"{where}: the core includes {quoted.group(1)}"
            elif folder and target[1] != folder and target[1] not in CORE_BELOW.get(folder, set()):
                yield f"{where}: core/{folder} may not include {quoted.group(1)}"
        elif room in ROOMS_ALLOWED and target_room in {"core", "gui", "app", "cli"}:
            if target_room not in ROOMS_ALLOWED[room]:
                yield f"{where}: {room}/ may not include {quoted.group(1)}"
            elif (room == "gui" and target_room == "gui" and folder in GUI_BELOW
                  and target[1] != folder and target[1] not in GUI_BELOW[folder]):
                yield f"{where}: gui/{folder} may not include {quoted.group(1)}"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    found = []
    checked = 0
    for directory, _, names in os.walk(os.path.join(root, "src")):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            relpath = os.path.relpath(path, root).replace(os.sep, "/")
            with open(path, encoding="utf-8") as source:
                found.extend(breaches(relpath, source.read().splitlines()))
            checked += 1
    for breach in found:
        print(breach)
    print(f"{checked} files checked, {len(found)} breaches")
    return 1 if found or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
