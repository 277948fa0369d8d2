#!/bin/sh
# Inserting camera photos side by side with vipsthumbnail: writes COUNT
# (default 20) 4000 x 3000 JPEG photos with the program's own writer, then
# times `lumora-cli album add` of all of them into a new album against
# `vipsthumbnail` making 185 x 140 thumbnails of the same files, with
# hyperfine (Debian packages hyperfine and libvips-tools), and the peak
# memory of adding five times as many with /usr/bin/time.
#   scripts/compare-insert.sh [BUILD_DIR] [COUNT]
set -eu
build=${1:-build}
count=${2:-20}
cli=$build/src/cli/lumora-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/photos" "$work/thumbs"
"$build/tools/lumora-sample" --photos "$work/photos" "$count"
photos=$(ls "$work"/photos/*.jpg)
# shellcheck disable=SC2086
hyperfine -N -w 1 -r 5 \
    --prepare "$cli album new --force $work/a.qza" \
    -n "lumora-cli album add" "$cli album add $work/a.qza $(echo $photos)" \
    -n "vipsthumbnail" "vipsthumbnail $(echo $photos) -s 185x140 -o $work/thumbs/%s.jpg"
"$cli" album new "$work/b.qza"
# shellcheck disable=SC2086
/usr/bin/time -f "peak memory adding $((count * 5)) photos: %M KB, %e s" \
    "$cli" album add "$work/b.qza" $photos $photos $photos $photos $photos
echo "album of $((count * 5)) photos: $(stat -c %s "$work/b.qza") bytes"
