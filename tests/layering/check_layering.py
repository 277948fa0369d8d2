#!/usr/bin/env python3
"""Checks the #include lines of src/ against the rooms' dependency rules.

Usage: check_layering.py SOURCE_DIR   (the checkout; exits 1 on a breach)

core/ has no Qt at all and depends only downwards: platform and res on
nothing, imaging on platform and res, layout on platform, album on imaging,
layout, platform and res, present on album and below. gui/ uses core/ and
Qt, never app/ or cli/; app/ uses gui/ and core/; cli/ uses core/ and gui/.
"""
import os
import re
import sys

CORE_BELOW = {
    "platform": set(),
    "res": set(),
    "imaging": {"platform", "res"},
    "layout": {"platform"},
    "album": {"imaging", "layout", "platform", "res"},
    "present": {"album", "imaging", "layout", "platform", "res"},
}
ROOMS_ALLOWED = {
    "gui": {"core", "gui"},
    "app": {"core", "gui", "app"},
    "cli": {"core", "gui", "cli"},
}
QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s+<([^>]+)>')


def is_qt_header(name):
    return name.startswith("Q") or name.startswith("qt") and "/" in name


def breaches(relpath, lines):
    parts = relpath.split("/")  # src/<room>/<folder>/...
    room = parts[1]
    folder = parts[2] if room == "core" and len(parts) > 3 else None
    for number, line in enumerate(lines, 1):
        where = f"{relpath}:{number}"
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
