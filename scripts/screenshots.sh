#!/usr/bin/env bash
# Builds a sample album from pictures drawn here and renders what the album
# window shows into docs/screenshots: the cover, the flyleaf and two spreads.
# Needs a build with the GUI (lumora-cli album render, lumora-sample):
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli=$build/src/cli/lumora-cli
sample=$build/tools/lumora-sample
out=$root/docs/screenshots
for tool in "$cli" "$sample"; do
  [[ -x $tool ]] || { echo "screenshots.sh: $tool missing (build with -DLUMORA_BUILD_GUI=ON)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Default preferences, whatever the user's own file says.
export XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=offscreen

# Pictures: simple scenes as 24-bit bitmaps, landscape and portrait.
python3 - "$work" <<'PY'
import math, struct, sys

def write_bmp(path, w, h, pixel):
    row = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for x in range(w):
            r, g, b = pixel(x / w, y / h)
            line += bytes((max(0, min(255, int(b))), max(0, min(255, int(g))), max(0, min(255, int(r)))))
        data += line + b"\0" * (row - w * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + data)

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))

def sea(u, v):
    horizon = 0.45
    if v < horizon:
        return mix((90, 150, 230), (200, 225, 250), v / horizon)
    wave = 0.5 + 0.5 * math.sin(u * 40 + v * 90)
    if v > 0.8 + 0.03 * math.sin(u * 12):
        return mix((235, 215, 160), (210, 185, 130), (v - 0.8) * 5)
    return mix((30, 110, 170), (20, 70, 120), (v - horizon) * 2 + 0.1 * wave)

def mountains(u, v):
    peak = 0.35 + 0.2 * abs(math.sin(u * 5.5)) - 0.08 * math.sin(u * 17)
    if v < peak:
        return mix((120, 170, 230), (230, 240, 250), v / peak)
    if v < peak + 0.06:
        return (245, 245, 250)
    meadow = 0.75 + 0.05 * math.sin(u * 9)
    if v < meadow:
        return mix((110, 110, 125), (80, 90, 80), (v - peak) / (meadow - peak))
    return mix((90, 160, 60), (50, 110, 40), (v - meadow) * 4)

def forest(u, v):
    base = mix((170, 210, 150), (40, 80, 40), v)
    for i in range(9):
        cx = (i + 0.5) / 9 + 0.02 * math.sin(i * 7)
        top = 0.2 + 0.25 * ((i * 37) % 7) / 7
        if v > top and abs(u - cx) < (v - top) * 0.25:
            return mix((30, 90, 40), (15, 55, 25), (v - top))
    return base

def lavender(u, v):
    if v < 0.3:
        return mix((250, 200, 140), (250, 230, 200), v / 0.3)
    stripe = 0.5 + 0.5 * math.sin((u - 0.5) * 60 / (v + 0.2))
    return mix((110, 90, 170), (150, 120, 210), stripe) if stripe > 0.35 else (70, 110, 50)

def village(u, v):
    sky = mix((250, 170, 90), (120, 80, 140), 1 - v / 0.6)
    if v < 0.55:
        return sky
    for i in range(6):
        left, right = i / 6 + 0.01, (i + 1) / 6 - 0.01
        roof = 0.55 + 0.08 * ((i * 3) % 4) / 4
        if left < u < right and v > roof:
            if v < roof + 0.06:
                return (170, 70, 50)
            if (int(u * 60) % 3 == 1) and (int(v * 40) % 3 == 1):
                return (250, 220, 120)
            return mix((230, 200, 160), (200, 170, 130), i / 6)
    return (90, 80, 70)

def flower(u, v):
    dx, dy = u - 0.5, v - 0.45
    r = math.hypot(dx, dy)
    a = math.atan2(dy, dx)
    petal = 0.28 + 0.1 * math.cos(a * 6)
    if r < 0.08:
        return (240, 190, 40)
    if r < petal:
        return mix((250, 120, 150), (200, 40, 90), r / petal)
    if abs(dx) < 0.015 and v > 0.5:
        return (60, 130, 50)
    return mix((200, 230, 200), (120, 170, 120), v)

def portrait(u, v):
    dx, dy = (u - 0.5) / 0.32, (v - 0.4) / 0.28
    if dx * dx + dy * dy < 1:
        return mix((240, 200, 170), (210, 160, 130), v)
    if v > 0.68 and abs(u - 0.5) < 0.45 - (1 - v) * 0.3:
        return (60, 80, 140)
    return mix((210, 220, 230), (150, 160, 180), v)

scenes = [("plage", 320, 240, sea), ("montagne", 320, 220, mountains),
          ("foret", 240, 320, forest), ("lavande", 320, 240, lavender),
          ("village", 320, 200, village), ("fleur", 240, 240, flower),
          ("portrait", 210, 300, portrait)]
for name, w, h, f in scenes:
    write_bmp(f"{sys.argv[1]}/{name}.bmp", w, h, f)
PY
"$sample" "$work/couchant.bmp"

album=$work/provence.qza
"$cli" album new "$album" --title "Provence" \
  --description "Été 2026 : la mer, les collines et les villages" \
  --layout 2 --tabs on --flyleaf on
"$cli" album add "$album" "$work"/plage.bmp "$work"/couchant.bmp "$work"/fleur.bmp \
  "$work"/portrait.bmp "$work"/lavande.bmp
"$cli" album add-text "$album" "Le premier soir, le soleil se couche sur la baie et tout le monde reste sur la plage."
"$cli" album add "$album" "$work"/montagne.bmp "$work"/foret.bmp "$work"/village.bmp \
  "$work"/lavande.bmp "$work"/fleur.bmp "$work"/couchant.bmp "$work"/portrait.bmp
"$cli" album add-tab "$album" --before 6 --name "Les collines"
"$cli" album set "$album" frame=1 effect=1 titlecolor=0x80C0E0

mkdir -p "$out"
"$cli" album render "$album" "$out/couverture.png" --position -2
"$cli" album render "$album" "$out/page-de-garde.png" --position -1
"$cli" album render "$album" "$out/pages-2-3.png" --position 2 --selection 3
"$cli" album render "$album" "$out/pages-4-5.png" --position 4 --selection 10
# The window's view: the book fitted to a 1600 x 900 client area, and the
# classic size on a screen of device pixel ratio 2.
"$cli" album render "$album" "$out/fenetre-1600x900.png" --position 2 --selection 3 --size 1600x900
"$cli" album render "$album" "$out/pages-2-3-ratio2.png" --position 2 --selection 3 --zoom 1 --dpr 2
echo "screenshots written to $out"
