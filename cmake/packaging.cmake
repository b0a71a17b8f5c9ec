# A Debian package of whatever the install() rules put under the prefix. `cpack` in the build
# directory writes framolin_<version>_<arch>.deb; dpkg-shlibdeps fills in the libraries the
# binaries link (all from Debian's own Qt packages), so nothing outside Debian is pulled in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME framolin)
set(CPACK_PACKAGE_VENDOR "Framolin")
set(CPACK_PACKAGE_CONTACT "Framolin developers <framolin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations give the standard buttons in the user's language; without them the
# program works with English buttons, so apt installs them by default but need not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION
    "Stacks a list of BMP, JPEG or GIF pictures, each stretched to one frame size, into one tall strip and saves it as a 24-bit BMP file.")
include(CPack)
