#!/usr/bin/env bash
# End to end: the real program starts under a virtual X server with an album
# on its command line, its window appears, a screenshot is taken, and it
# quits cleanly through its File menu.
#   smoke_test.sh LUMORA LUMORA_CLI OUTDIR
set -euo pipefail
lumora=$1 cli=$2 out=$3
mkdir -p "$out"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

album=$work/fumee.qza
"$cli" album new "$album" --title "Fumée" >/dev/null

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; [[ -n ${app:-} ]] && kill "$app" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$lumora" "$album" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Lumora" | head -n 1)
[[ -n $window ]] || { echo "smoke: no window"; exit 1; }
sleep 1  # let it paint
import -window root "$out/smoke.png"
echo "smoke: window $window, screenshot $out/smoke.png"

# Fichier > Quitter, from the keyboard (there is no window manager: give
# the window the focus, then type).
xdotool windowfocus --sync "$window"
xdotool key alt+f
sleep 0.3
xdotool key q
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "smoke: the program did not quit"; exit 1
fi
wait "$app"; status=$?
app=
echo "smoke: quit with status $status"
[[ $status -eq 0 ]]
