# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of whatever the install() rules put under the prefix. `cpack` in the build
# directory writes framolin_<version>_<arch>.deb; dpkg-shlibdeps fills in the libraries the
# binaries link (all from Debian's own Qt packages), so nothing outside Debian is pulled in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME framolin)
set(CPACK_PACKAGE_VENDOR "Framolin")
set(CPACK_PACKAGE_CONTACT "Framolin developers <framolin@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/framolin/framolin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt reads WebP and TIFF through plug-ins that no binary links, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
# The long description goes into the control file line by line: within 80 columns, and an
# empty line becomes " .".
set(CPACK_PACKAGE_DESCRIPTION [=[Framolin stacks a list of BMP, JPEG, GIF, PNG, WebP or TIFF pictures, each
stretched to one frame size, into one tall strip: the object file of a
360-degree object viewer. The window shows the strip as it grows and saves it
as a 24-bit BMP.

framolin-strip builds the same file from the command line, decoding on every
core and holding only a few frames in memory.]=])
# Qt's translations give its standard buttons and the command line's parser messages in the
# user's language; without them they are in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
