#!/usr/bin/env bash
# End to end: the real program starts under a virtual X server with a
# document on its command line — an album, then a JPEG picture — its window
# appears, a screenshot is taken, and it quits cleanly through its File menu.
# In the album the cover is clicked open, the JPEG inserted and the album
# saved; over the picture the open dialog is photographed (Qt's own dialog,
# with its labels in French). Last, a slideshow of an album whose photo has a
# sound is started from the Album menu and photographed; the sound goes to
# SDL's disk driver.
#   smoke_test.sh LUMORA LUMORA_CLI OUTDIR JPEG
set -euo pipefail
lumora=$1 cli=$2 out=$3 jpeg=$4
mkdir -p "$out"
source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 90

# Clicks the closed cover of the album in WINDOW (the book stands in the
# middle of the maximised album window) and photographs the opened book into
# SHOT, which must differ from BEFORE.
open_cover() {
  local window=$1 before=$2 shot=$3
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --window "$window" $((WIDTH / 2 - 15)) $((HEIGHT / 2 + 60)) click 1
  sleep 1
  import -window root "$shot"
  local changed
  changed=$(compare -metric AE "$before" "$shot" null: 2>&1 || true)
  echo "smoke: clicking the cover changed $changed pixels, screenshot $shot"
  [[ $changed =~ ^[0-9]+$ && $changed -gt 1000 ]] || { echo "smoke: the cover did not open"; return 1; }
}

# Inserts PICTURE into the album in WINDOW through Edition > Insérer des
# images (the file dialog takes the typed path) and saves the album.
insert_and_save() {
  local window=$1 picture=$2
  xdotool windowfocus --sync "$window"
  xdotool key Insert
  sleep 1.5
  xdotool type --delay 10 "$picture"
  xdotool key Return
  sleep 2
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+s
  sleep 1
}

# Opens Fichier > Ouvrir (Ctrl+O) in WINDOW, photographs Qt's file dialog
# into SHOT so that its labels can be seen in French, and closes it.
photograph_open_dialog() {
  local window=$1 shot=$2
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+o
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Ouvrir$' | head -n 1)
  [[ -n $dialog ]] || { echo "smoke: the open dialog did not appear"; return 1; }
  sleep 1  # let it list the folder
  import -window root "$shot"
  echo "smoke: open dialog $dialog photographed into $shot"
  xdotool windowfocus --sync "$dialog"
  xdotool key Escape
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Ouvrir$' >/dev/null 2>&1 || break; sleep 0.1; done
  if xdotool search --onlyvisible --name '^Ouvrir$' >/dev/null 2>&1; then
    echo "smoke: the open dialog did not close"; return 1
  fi
}

# Starts the program on DOCUMENT, photographs the screen into SHOT, quits.
# With OPENED, the album's cover is clicked open and photographed there;
# with PICTURE, that picture is then inserted and the album saved; with
# DIALOGSHOT, the open dialog is photographed there.
run_once() {
  local document=$1 shot=$2 opened=${3:-} picture=${4:-} dialogshot=${5:-}
  "$lumora" "$document" &
  app=$!
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
  [[ -n $window ]] || { echo "smoke: no window for $document"; return 1; }
  sleep 1  # let it paint
  import -window root "$shot"
  echo "smoke: $document shown in window $window, screenshot $shot"
  [[ -z $opened ]] || open_cover "$window" "$shot" "$opened"
  [[ -z $picture ]] || insert_and_save "$window" "$picture"
  [[ -z $dialogshot ]] || photograph_open_dialog "$window" "$dialogshot"
  # Fichier > Quitter from the keyboard (no window manager here: give the
  # window the focus, then type).
  xdotool windowfocus --sync "$window"
  xdotool key alt+f
  sleep 0.3
  xdotool key q
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then
    echo "smoke: the program did not quit"; return 1
  fi
  local status=0
  wait "$app" || status=$?
  app=
  echo "smoke: quit with status $status"
  return "$status"
}

album=$work/fumee.qza
"$cli" album new "$album" --title "Fumée" >/dev/null
run_once "$album" "$out/smoke-album.png" "$out/smoke-album-open.png" "$jpeg"
# The photo inserted in the window is in the saved album.
if ! "$cli" album info "$album" | grep -q "élément 0 : photo .*$(basename "$jpeg")"; then
  echo "smoke: the inserted photo is not in the saved album"; exit 1
fi
echo "smoke: the photo inserted in the window was saved with the album"
run_once "$jpeg" "$out/smoke-picture.png" "" "" "$out/smoke-open-dialog.png"

# The slideshow: an album whose first photo has a sound.
show_album=$work/diaporama.qza
tone=$work/tone.wav
python3 - "$tone" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(22050)
    out.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 440 * i / 22050)))
                             for i in range(22050)))
PY
"$cli" album new "$show_album" --title "Diaporama" >/dev/null
"$cli" album add "$show_album" "$jpeg" >/dev/null
"$cli" album sound "$show_album" 0 "$tone"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
"$lumora" "$show_album" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
[[ -n $window ]] || { echo "smoke: no window for the slideshow album"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
xdotool key alt+b
sleep 0.3
# Alt+B, I: "D&iaporama...", the only entry of the Album menu on that letter.
xdotool key i
sleep 1
dialog=$(xdotool search --onlyvisible --name '^Diaporama$' | head -n 1 || true)
[[ -n $dialog ]] || { echo "smoke: no slideshow options dialog"; exit 1; }
xdotool windowfocus --sync "$dialog"
xdotool key Return
sleep 2
import -window root "$out/smoke-slideshow.png"
corner=$(convert "$out/smoke-slideshow.png" -format '%[fx:int(255*p{3,3}.r)],%[fx:int(255*p{3,3}.g)],%[fx:int(255*p{3,3}.b)]' info:)
centre=$(convert "$out/smoke-slideshow.png" -format '%[fx:int(255*(p{512,384}.r+p{512,384}.g+p{512,384}.b))]' info:)
echo "smoke: slideshow screenshot $out/smoke-slideshow.png, corner $corner, centre brightness $centre"
[[ $corner == 0,0,0 && $centre -gt 30 ]] || { echo "smoke: the slideshow is not on screen"; exit 1; }
xdotool mousemove 300 300 click 1  # a click ends the show
sleep 0.5
if ! python3 - "$work/audio.raw" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
loud = sum(1 for i in range(0, len(data) - 1, 2) if abs(int.from_bytes(data[i:i + 2], "little", signed=True)) > 300)
print(f"smoke: {loud} audible samples of the photo's sound")
sys.exit(0 if loud > 10000 else 1)
PY
then echo "smoke: the photo's sound was not played"; exit 1; fi
xdotool windowfocus --sync "$window"
xdotool key alt+f
sleep 0.3
xdotool key q
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "smoke: the program did not quit after the slideshow"; exit 1; fi
wait "$app"
app=
echo "smoke: slideshow shown with its sound, program quit"
