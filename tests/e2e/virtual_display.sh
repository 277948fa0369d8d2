# Sourced by the end-to-end scripts: the real program gets a private
# configuration and runtime folder and a virtual X server of its own, all
# removed on exit (with the program, once its pid is in $app).
#   start_virtual_display FIRST [WxH]   (display number FIRST to FIRST + 399;
#                                        screen 1024x768 unless WxH is given)
# Sets: work (the private folder), display, DISPLAY, app (empty).

stop_virtual_display() {
  [[ -n ${app:-} ]] && kill "$app" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}

start_virtual_display() {
  work=$(mktemp -d)
  export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  display=:$(($1 + RANDOM % 400))
  Xvfb "$display" -screen 0 "${2:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  app=
  trap stop_virtual_display EXIT
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Fichier > Quitter in the program ($app), then waits for it to end; fails
# with "NAME: ..." when it does not quit or exits with an error.
quit_program() {
  xdotool key alt+f
  sleep 0.3
  xdotool key q
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then echo "$1: the program did not quit"; exit 1; fi
  wait "$app" || { echo "$1: the program failed"; exit 1; }
  app=
}
