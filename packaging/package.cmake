# A Debian package of what the install puts under the prefix: the programs,
# the desktop entry, the MIME package, the icons, the help pages, the manual
# pages and the AppStream metadata, under /usr. Its dependencies come from
# dpkg-shlibdeps.
#
#   cmake --build build && cd build && cpack -G DEB
#
# Debian's own triggers refresh the desktop's MIME, desktop-entry and icon
# caches when the package is installed or removed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirl32)
set(CPACK_PACKAGE_VENDOR Quirl32)
set(CPACK_PACKAGE_CONTACT "Quirl32 maintainers <maintainers@quirl32.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explorer of the Mandelbrot set")
set(CPACK_PACKAGE_DESCRIPTION
    "Quirl32 shows sets of the Mandelbrot set, each in a window of its own,\n"
    "and computes their pictures in small steps while it is idle, so that it\n"
    "answers at all times. Zoom in by dragging a rectangle, save sets in small\n"
    ".qrl files, copy and print their pictures.\n"
    "\n"
    "quirl32-render writes the same pictures to PNG files without a display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The file type needs the MIME database; registration calls the desktop's tools.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
