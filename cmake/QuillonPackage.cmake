# The Debian package: `cpack -G DEB` in the build folder makes quillon_<version>_<arch>.deb
# from the install rules (cmake/QuillonInstall.cmake) with the prefix /usr.
if(WIN32)
  return()
endif()

set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "${QUILLON_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop calendar drawn into the wallpaper, with a scheduler")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon Desktop Calendar draws the current month, with your events, into the\n"
    "desktop wallpaper and keeps it current from the tray launcher quillon. The\n"
    "scheduler enters and edits the events, the options dialog sets the picture,\n"
    "position, fonts and colours, and quillon-db makes, checks, imports into and\n"
    "exports from the event database.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_GENERATOR DEB)
# The install rules write the autostart entry to /etc and the menu entries with the
# prefix in force; with DESTDIR both come out as they will stand on the machine. Under
# DESTDIR the prefix is CPACK_INSTALL_PREFIX (else the build's, /usr/local).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLON_COMPANY} <quillon@velmora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads these as plugins, so dpkg-shlibdeps cannot see them: the SQLite driver opens
# the event database, the SVG plugins draw the program and event icons, the Wayland
# platform plugin runs the programs natively on a Wayland session (XWayland otherwise).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6svg6, qt6-wayland")
# Qt's own translations, for the buttons of the standard dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# A bare X11 session sets the wallpaper with one of these; desktops bring their own.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "feh | xwallpaper")
# The autostart entry is configuration: kept on remove, gone on purge.
set(QUILLON_PACKAGE_AUTOSTART /etc/xdg/autostart)
if(QUILLON_AUTOSTART_DIR)
  set(QUILLON_PACKAGE_AUTOSTART ${QUILLON_AUTOSTART_DIR})
endif()
set(QUILLON_CONFFILES ${CMAKE_BINARY_DIR}/package/conffiles)
file(WRITE ${QUILLON_CONFFILES} "${QUILLON_PACKAGE_AUTOSTART}/quillon.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${QUILLON_CONFFILES})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
