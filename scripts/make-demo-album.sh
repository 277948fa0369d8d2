#!/usr/bin/env bash
# Makes the demonstration album: a dozen generated landscapes in two
# sections, a text, descriptions.
#   scripts/make-demo-album.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1 out=$2
cli=$build/src/cli/lumora-cli
mkdir -p "$out"
"$build/tools/lumora-sample" --demo "$out"
album=$out/vacances.qza
rm -f "$album"
"$cli" album new "$album" --title "Vacances" --description "Été 2026, en montagne et au bord de la mer" \
  --tabs on --layout 1 >/dev/null
"$cli" album add "$album" "$out"/0[1-6]-*.bmp >/dev/null
"$cli" album add-text "$album" "Deuxième semaine : du désert à la mer, puis le retour par la forêt." >/dev/null
"$cli" album add "$album" "$out"/0[7-9]-*.bmp "$out"/1[0-2]-*.bmp >/dev/null
"$cli" album add-tab "$album" --before 6 --name "Mer et désert" >/dev/null
descriptions=("Lever du jour sur les crêtes" "Plein midi au col" "Le soir tombe" "Nuit étoilée"
              "Le lac, le matin" "Neige de printemps")
for i in "${!descriptions[@]}"; do
  "$cli" album describe "$album" "$i" "${descriptions[$i]}" >/dev/null
done
"$cli" album set "$album" desk=0x405060 frame=2 >/dev/null
echo "Demonstration album: $album"
