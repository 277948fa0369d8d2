#!/usr/bin/env bash
# End to end: in the real program, a photo dragged from the left page of a
# spread onto a photo of the right page goes before it; Ctrl+S saves the
# album and `lumora-cli album info` shows the new order. With "out" the drag
# leaves the view on the way, becoming the system's drag that other programs
# could take, and still moves the photo when it comes back.
#   drag_test.sh LUMORA LUMORA_CLI OUTDIR PICTURE [out]
set -euo pipefail
lumora=$1 cli=$2 out=$3 picture=$4 via=${5:-}
mkdir -p "$out"
source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 900

album=$work/drag.qza
"$cli" album new "$album" --layout 1 >/dev/null  # two photos a page
photos=()
for i in 0 1 2 3 4 5; do
  cp "$picture" "$work/p$i.jpg"
  photos+=("$work/p$i.jpg")
done
"$cli" album add "$album" "${photos[@]}" >/dev/null

# Where the view draws each item: the album's rectangles (page-area frame,
# 26 x 18 from the book's corner) for photos 2 (page 1, left) and 5 (page 2,
# right).
centre() {  # centre ITEM -> "x y" in the page area
  "$cli" album info "$album" | sed -n "s/^élément $1 : .*rectangle (\([0-9-]*\), \([0-9-]*\), \([0-9-]*\), \([0-9-]*\)).*/\1 \2 \3 \4/p" |
    awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'
}
read -r from_x from_y < <(centre 2)
read -r to_x to_y < <(centre 5)

"$lumora" "$album" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
[[ -n $window ]] || { echo "drag: no window"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
xdotool key ctrl+Home  # the first page, alone on the right
sleep 0.3
xdotool key Next       # the spread of pages 2 and 3
sleep 0.5
import -window root "$out/drag-before.png"

# The desk fills the view around the book, which stands in its middle.
read -r desk_w desk_h desk_x desk_y < <(convert "$out/drag-before.png" -alpha off -fill black -opaque white \
  -fill white -opaque "rgb(0,128,128)" -fill black +opaque white -trim -format "%w %h %X %Y\n" info: | tr -d '+')
book_x=$((desk_x + (desk_w - 580) / 2)) book_y=$((desk_y + (desk_h - 392) / 2))
echo "drag: view at ${desk_x},${desk_y} (${desk_w}x${desk_h}), book at ${book_x},${book_y}"

x0=$((book_x + 26 + from_x)) y0=$((book_y + 18 + from_y))
x1=$((book_x + 26 + to_x)) y1=$((book_y + 18 + to_y))
xdotool mousemove "$x0" "$y0"
sleep 0.2
xdotool mousedown 1
shot=drag
if [[ $via == out ]]; then
  shot=drag-out
  # Up out of the view (over the menus), then down again to the start.
  for y in $((y0 - 10)) $((y0 - 30)) $((desk_y - 40)) $((desk_y - 60)); do
    xdotool mousemove "$x0" "$y"
    sleep 0.1
  done
  sleep 0.3
  import -window root "$out/drag-out-outside.png"
  xdotool mousemove "$x0" $((desk_y + 20))
  sleep 0.2
fi
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((x0 + (x1 - x0) * step / 8)) $((y0 + (y1 - y0) * step / 8))
  sleep 0.05
done
sleep 0.3
import -window root "$out/$shot-mark.png"
xdotool mouseup 1
sleep 0.5
import -window root "$out/$shot-after.png"
xdotool key ctrl+s
sleep 1
quit_program drag

order=$("$cli" album info "$album" | sed -n 's/^élément \([0-9]*\) : photo .*\/p\([0-9]\)\.jpg.*/\2/p' | tr -d '\n')
if [[ $order != 013425 ]]; then
  echo "drag: the saved order is $order, not 013425"; exit 1
fi
echo "drag: photo 2 dragged onto the other page${via:+ by way of outside the view} went before photo 5 and was saved"
