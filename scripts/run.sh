#!/usr/bin/env bash
# Builds Lumora, makes a demonstration album from pictures of its own making
# and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh run
cmake -S . -B build -G Ninja -DLUMORA_BUILD_GUI=ON -DLUMORA_BUILD_TESTS=OFF -DLUMORA_BUILD_BENCH=OFF >/dev/null
ninja -C build lumora lumora-cli lumora-sample

demo=build/demo
scripts/make-demo-album.sh build "$demo"

if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  echo "No display here. The demonstration album is $demo/vacances.qza; to see it:"
  echo "  xvfb-run -s '-screen 0 1280x900x24' build/src/app/lumora $demo/vacances.qza"
  echo "or, on a desktop: build/src/app/lumora $demo/vacances.qza"
  exit 0
fi
exec build/src/app/lumora "$demo/vacances.qza"
