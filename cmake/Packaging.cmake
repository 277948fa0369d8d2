# The Debian package: `ninja package` (or `cpack -G DEB` in the build
# directory) makes build/lumora_VERSION_ARCH.deb from the install rules.
# Library dependencies are computed from the programs (dpkg-shlibdeps); the
# packages they load at run time without linking - the General MIDI
# soundfont for MIDI sounds, Qt's French translations and the fonts whose
# metrics match the albums' Times New Roman and Arial - are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lumora developers")
set(CPACK_PACKAGE_CONTACT "The Lumora developers <lumora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo albums on a desk: make, leaf through, show and print them")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "photo albums on a desk: make, leaf through, show and print them
 Lumora shows photo albums as ring binders on a desk: a cover with the
 album's title, a flyleaf, then pages of photos and texts behind coloured
 section tabs. Albums are made from a folder in one step, in the order the
 photos were taken, or photo by photo; they play as slideshows with sounds,
 print on paper or to PDF and gather into a folder with a web viewer.
 File managers show each album's cover. The interface is in French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMORA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont | sf3-soundfont-gm | sf2-soundfont-gm, qt6-translations-l10n, fonts-liberation2")
include(CPack)
