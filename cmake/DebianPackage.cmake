# The Debian package, built by scripts/package-debian with `cpack -G DEB` from what the install
# rules put under /usr, with what Debian asks of a package beside it (debian-files.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brelker)
set(CPACK_PACKAGE_VENDOR Tolvena)
set(CPACK_PACKAGE_CONTACT "Tolvena <brelker@tolvena.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tolvena.org/brelker/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "split a large file into pieces that fit your media, and join them again")
set(CPACK_PACKAGE_DESCRIPTION [=[
The File Brelker cuts one large file into a numbered series of pieces, each
sized for the floppy, cartridge, CD or memory stick that is to carry it, and
joins the series back into the original file byte for byte. Each split leaves
a SHA-256 checksum file beside the pieces; joins and verifies check every piece
against it before anything is deleted.

Beside the pieces it can write a restore script, a batch file or a POSIX shell
script, so that the receiver rebuilds the file without this program. The
window speaks English, Swedish and German; the same program splits, joins and
verifies from the command line.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends: the libraries the program links, as dpkg-shlibdeps finds their packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the file dialog's buttons) in Swedish and German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian-files.cmake)
# Read by debian-files.cmake when cpack runs.
set(CPACK_BRELKER_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
