#!/usr/bin/env bash
# Builds Lumora and runs its main job. Until the windowed program exists this
# is the command line on a sample picture of our own making: it is written,
# described, reduced onto the program's palette and dithered to 16 colours.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh run
cmake -S . -B build -G Ninja -DLUMORA_BUILD_GUI=ON -DLUMORA_BUILD_TESTS=OFF -DLUMORA_BUILD_BENCH=OFF >/dev/null
ninja -C build lumora lumora-cli lumora-sample

out=build/sample
mkdir -p "$out"
build/tools/lumora-sample "$out/sample.bmp"
cli=build/src/cli/lumora-cli
"$cli" info "$out/sample.bmp"
"$cli" convert "$out/sample.bmp" "$out/sample-256.bmp" --app-palette
"$cli" convert "$out/sample.bmp" "$out/sample-preview.bmp" --size 185x140
"$cli" convert "$out/sample.bmp" "$out/sample-16.bmp" --dither16
rm -f "$out/sample.qza"
"$cli" album new "$out/sample.qza" --title "Exemple" --tabs on
"$cli" album add "$out/sample.qza" "$out/sample.bmp" "$out/sample-256.bmp" "$out/sample-16.bmp"
"$cli" album add-text "$out/sample.qza" "Un coucher de soleil, trois façons de le montrer."
"$cli" album info "$out/sample.qza"
echo "Written to $out/: sample.bmp, sample-256.bmp, sample-preview.bmp, sample-16.bmp, sample.qza"
echo "The windowed program: build/src/app/lumora"
