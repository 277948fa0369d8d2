#!/usr/bin/env bash
# End to end: a photo copied in one album window of the real program and
# pasted into another album through the keys; what the clipboard offers to
# other programs is read with xclip, and the receiving album is saved.
#   clipboard_test.sh LUMORA LUMORA_CLI OUTDIR PICTURE
set -euo pipefail
lumora=$1 cli=$2 out=$3 picture=$4
mkdir -p "$out"
source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 500

source_album=$work/source.qza target_album=$work/target.qza
"$cli" album new "$source_album" --title "Source" >/dev/null
"$cli" album add "$source_album" "$picture" >/dev/null
"$cli" album new "$target_album" --title "Cible" >/dev/null

"$lumora" "$source_album" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
[[ -n $window ]] || { echo "clipboard: no window"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
xdotool key ctrl+c
sleep 1
targets=$(timeout 10 xclip -selection clipboard -t TARGETS -o)
echo "clipboard: offered $(echo "$targets" | tr '\n' ' ')"
for wanted in application/x-lumora-data application/x-lumora-data+utf8 image/png; do
  grep -qx "$wanted" <<<"$targets" || { echo "clipboard: $wanted is not offered"; exit 1; }
done

# The second start hands the target album to the running program, whose
# new window becomes the active one.
"$lumora" "$target_album"
sleep 2
xdotool windowfocus --sync "$window"
xdotool key ctrl+v
sleep 1
import -window root "$out/clipboard-pasted.png"
xdotool key ctrl+s
sleep 1
quit_program clipboard

if ! "$cli" album info "$target_album" | grep -q "élément 0 : photo .*$(basename "$picture")"; then
  echo "clipboard: the pasted photo is not in the saved album"; exit 1
fi
echo "clipboard: the photo copied in one album was pasted into the other and saved"
