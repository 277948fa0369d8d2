#!/usr/bin/env bash
# Installs the Debian packages Lumora needs that are missing.
#   scripts/setup-deps.sh run    what building and running needs
#   scripts/setup-deps.sh test   that, plus the test, sanitizer and fuzz tools
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config
                libjpeg-dev libtiff-dev libgif-dev libspng-dev libwebp-dev libheif-dev
                zlib1g-dev qt6-base-dev fonts-liberation2 qt6-translations-l10n
                libsdl2-mixer-dev timgm6mb-soundfont)
test_packages=(python3 ccache libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb xdotool x11-utils xclip imagemagick netpbm libheif-examples
               hyperfine libvips-tools libjpeg-turbo-progs  # scripts/compare-insert.sh
               poppler-utils  # PDF checks of the printing tests
               chromium-headless-shell firefox-esr  # the gathered web viewer's test
               desktop-file-utils appstream xdg-utils libglib2.0-bin shared-mime-info  # the desktop files' tests
               dpkg-dev file)  # the Debian package (cpack, dpkg-shlibdeps)

wanted=("${build_packages[@]}")
[[ "${1:-run}" == test ]] && wanted+=("${test_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
