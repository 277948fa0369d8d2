#!/usr/bin/env bash
# lumora-cli album print of a 40-page album of 4000 x 3000 camera-like JPEGs
# (Maxi 2+2, 80 photos, four distinct files), A4 at 300 dpi: the wall time
# and the PDF's size. The pictures are made with ImageMagick in a temporary
# directory (kept between runs in $LUMORA_BENCH_DIR when it is set).
#   bench/print_album.sh [build/src/cli/lumora-cli]
set -euo pipefail
cli=${1:-build/src/cli/lumora-cli}
dir=${LUMORA_BENCH_DIR:-$(mktemp -d)}
mkdir -p "$dir"
for i in 0 1 2 3; do
  [[ -f "$dir/p$i.jpg" ]] || convert -size 4000x3000 -seed "$i" plasma:fractal -blur 0x0.7 \
      -attenuate 0.4 +noise Gaussian -quality 90 "$dir/p$i.jpg"
done
rm -f "$dir/album.qza"
"$cli" album new "$dir/album.qza" --title "Quarante pages" --layout 1 >/dev/null
photos=()
for i in $(seq 0 79); do photos+=("$dir/p$((i % 4)).jpg"); done
"$cli" album add "$dir/album.qza" "${photos[@]}" 2>/dev/null
start=$(date +%s.%N)
"$cli" album print "$dir/album.qza" "$dir/album.pdf" --paper A4 --dpi 300 >/dev/null 2>&1
end=$(date +%s.%N)
printf 'album print: %.2f s, %s pages, PDF %.1f MB\n' "$(echo "$end - $start" | bc)" \
  "$(pdfinfo "$dir/album.pdf" | awk '/^Pages:/ {print $2}')" \
  "$(echo "$(stat -c %s "$dir/album.pdf") / 1000000" | bc -l)"
