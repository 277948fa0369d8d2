#!/usr/bin/env bash
# The Debian package made from the build: it builds with cpack, holds the
# programs and every desktop file where the desktop looks for them, and
# depends on the libraries the programs link and the packages they load.
# Usage: debian_package_test.sh BUILD_DIR
set -uo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
check() {  # NAME CONDITION-STATUS [DETAIL]
  if [[ $2 == 0 ]]; then passed=$((passed + 1)); echo "ok   $1"
  else failed=$((failed + 1)); echo "FAIL $1${3:+: $3}"; fi
}

timeout 240 cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" > "$scratch/cpack.log" 2>&1
check "cpack -G DEB" $? "$(tail -5 "$scratch/cpack.log")"
deb=$(ls "$scratch"/lumora_*.deb 2>/dev/null | head -1)
[[ -n $deb ]]; check "the package is named lumora_VERSION_ARCH.deb" $?

contents=$(dpkg-deb -c "$deb" 2>&1 | awk '{print $6}')
for path in ./usr/bin/lumora ./usr/bin/lumora-cli \
            ./usr/share/applications/org.lumora.Lumora.desktop \
            ./usr/share/metainfo/org.lumora.Lumora.metainfo.xml \
            ./usr/share/mime/packages/lumora-album.xml \
            ./usr/share/thumbnailers/lumora.thumbnailer \
            ./usr/share/icons/hicolor/16x16/apps/lumora.png \
            ./usr/share/icons/hicolor/512x512/apps/lumora.png \
            ./usr/share/icons/hicolor/16x16/mimetypes/application-x-lumora-album.png \
            ./usr/share/icons/hicolor/512x512/mimetypes/application-x-lumora-album.png \
            ./usr/share/man/man1/lumora.1.gz ./usr/share/man/man1/lumora-cli.1.gz \
            ./usr/share/bash-completion/completions/lumora-cli; do
  grep -qxF "$path" <<< "$contents"; check "the package holds $path" $?
done
! grep -q -e '^./usr/include' -e 'bench_' -e '_tests$' -e 'fuzz_' <<< "$contents"
check "no header, test, benchmark or harness in the package" $?

depends=$(dpkg-deb -f "$deb" Depends)
for dependency in 'libqt6widgets6' 'libjpeg62-turbo' 'libheif1' 'libsdl2-mixer' 'timgm6mb-soundfont' \
                  'qt6-translations-l10n' 'fonts-liberation2'; do
  grep -q "$dependency" <<< "$depends"; check "Depends names $dependency" $? "$depends"
done
[[ $(dpkg-deb -f "$deb" Package) == lumora && $(dpkg-deb -f "$deb" Section) == graphics ]]
check "package name and section" $?

# Stripped programs: a package of a few megabytes, not the debug build's.
size=$(stat -c %s "$deb")
((size < 40000000)); check "the package is small ($size bytes)" $?

echo "$passed passed, $failed failed"
((failed == 0))
