# `make package`: a .deb for Debian 12. The libraries it needs are read from the program by
# dpkg-shlibdeps; what it uses without linking is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvolen)
set(CPACK_PACKAGE_VENDOR "The Tarvolen in a Plane developers")
set(CPACK_PACKAGE_CONTACT "The Tarvolen in a Plane developers <tarvolen@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive lesson: how two circles of a plane lie to each other")
set(CPACK_PACKAGE_DESCRIPTION
    "A geometry lesson for school learners in one window. It states the five ways two circles
of a plane can lie to each other; on its practice page the learner chooses the two radii
and the distance of the centres, and the lesson draws both circles to scale and highlights
the case that holds. It can be used with the keyboard and a screen reader.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/tarvolen")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layout is measured in the metric twins of its fonts, which Qt finds by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")
# Qt loads its Wayland plugin at run time, so dpkg-shlibdeps cannot see it. Recommended, not required: X11 and
# the X11 server of Wayland desktops serve without it, apt installs recommendations by default, and where it is
# missing on a Wayland-only desktop the program names the package.
# Qt's own dialogs (the print dialog) in the learner's language; the lesson's texts are built in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
# cpack itself builds nothing (the package target and `make package` build first), so the
# packaging test does not rebuild every test while the others run.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
