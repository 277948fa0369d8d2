#!/usr/bin/env bash
# Installs the Debian packages Lumora needs that are missing.
#   scripts/setup-deps.sh run    what building and running needs
#   scripts/setup-deps.sh test   that, plus the test, sanitizer and fuzz tools,
#                                and axe-core (npm) for the web viewer's test
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
# npm for the viewer test's accessibility checker: Debian's, unless the
# machine already has a Node.js of its own (which brings npm and would
# conflict with Debian's package).
[[ "${1:-run}" == test ]] && ! command -v npm >/dev/null && wanted+=(nodejs npm)

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The accessibility checker the web viewer's test runs in the page, at the
# version tests/e2e/package-lock.json names.
e2e="$(cd "$(dirname "$0")/../tests/e2e" && pwd)"
if [[ "${1:-run}" == test && ! -f "$e2e/node_modules/axe-core/axe.min.js" ]]; then
  (cd "$e2e" && npm ci --no-audit --no-fund --silent)
fi
