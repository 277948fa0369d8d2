#!/usr/bin/env bash
# End to end: on a 1920 x 1080 screen the album window fills the main window
# and the book is fitted to it: at least 85 % of the client height. The
# cover is clicked open, then the right page's corner where the zoom put it
# turns the page (the screen changes), and the left page's corner turns it
# back (the screen is as before).
#   zoom_test.sh LUMORA LUMORA_CLI OUTDIR
set -euo pipefail
lumora=$1 cli=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 500 1920x1080

album=$work/zoom.qza
"$cli" album new "$album" --title "Zoom" --flyleaf off >/dev/null
for i in $(seq 1 12); do "$cli" album add-text "$album" "Texte $i" >/dev/null; done

"$lumora" "$album" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
[[ -n $window ]] || { echo "zoom: no window"; exit 1; }
# No window manager here: the main window is given the whole screen.
xdotool windowmove --sync "$window" 0 0
xdotool windowsize --sync "$window" 1920 1080
sleep 1.5

shot() { import -window root "$1"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# The book's place on the screen, from a screenshot: prints
# "zoom left top client_top client_bottom book_height".
measure() {
  python3 - "$1" <<'PY'
import subprocess, sys
ppm = subprocess.run(["convert", sys.argv[1], "ppm:-"], capture_output=True, check=True).stdout
# P6 header: magic, width, height, maximum, then the pixels.
parts = ppm.split(maxsplit=4)
width, height = int(parts[1]), int(parts[2])
pixels = parts[4]
def at(x, y):
    i = (y * width + x) * 3
    return pixels[i:i + 3]
middle_y = height // 2
# The desk: the colour at the left of the client area, halfway down.
desk = at(40, middle_y)
# The client area: the run of desk rows at that column around the middle.
top = middle_y
while top > 0 and at(40, top - 1) == desk:
    top -= 1
bottom = middle_y
while bottom < height - 1 and at(40, bottom + 1) == desk:
    bottom += 1
# The book (with its shadow): the run of what is not desk through the
# middle of the screen, across and down (other windows may stand on the
# desk beside it).
def run(start, step, limit, colour_at):
    at_end = start
    while 0 <= at_end + step < limit and colour_at(at_end + step) != desk:
        at_end += step
    return at_end
centre_x = width // 2
left = run(centre_x, -1, width, lambda x: at(x, middle_y))
right = run(centre_x, 1, width, lambda x: at(x, middle_y)) + 1
book_top = run(middle_y, -1, height, lambda y: at(centre_x, y))
book_bottom = run(middle_y, 1, height, lambda y: at(centre_x, y)) + 1
# The open book's picture starts 10 book pixels in; its shadow ends at 575.
zoom = (right - left) / 565
print(f"{zoom:.4f} {left - 10 * zoom:.1f} {book_top - 10 * zoom:.1f} {top} {bottom + 1} {book_bottom - book_top}")
PY
}

shot "$out/zoom-cover.png"
# The cover, in the middle of the window, opens the book.
xdotool mousemove 960 560 click 1
sleep 1
shot "$out/zoom-open.png"
read -r zoom left top client_top client_bottom book_height < <(measure "$out/zoom-open.png")
client=$((client_bottom - client_top))
echo "zoom: book at zoom $zoom, origin $left,$top; client $client px high, book $book_height px"
python3 -c "import sys; sys.exit(0 if $book_height + 15 * $zoom >= 0.85 * $client else 1)" ||
  { echo "zoom: the book is less than 85 % of the client height"; exit 1; }

corner() { python3 -c "print(int($left + ($1 + 0.5) * $zoom), int($top + ($2 + 0.5) * $zoom))"; }
read -r x y < <(corner 540 200)
xdotool mousemove "$x" "$y" click 1
sleep 1.5
shot "$out/zoom-turned.png"
changed=$(differing "$out/zoom-open.png" "$out/zoom-turned.png")
echo "zoom: the click at $x,$y on the right page's corner changed $changed pixels"
[[ $changed =~ ^[0-9]+$ && $changed -gt 1000 ]] || { echo "zoom: the page did not turn"; exit 1; }

read -r x y < <(corner 35 200)
xdotool mousemove "$x" "$y" click 1
sleep 1.5
shot "$out/zoom-back.png"
left_over=$(differing "$out/zoom-open.png" "$out/zoom-back.png")
echo "zoom: back on the first spread, $left_over pixels differ"
[[ $left_over =~ ^[0-9]+$ && $left_over -lt 50 ]] || { echo "zoom: the page did not turn back"; exit 1; }

xdotool windowfocus --sync "$window"
quit_program zoom
echo "zoom: done"
