# Installation for the desktop. The programs, the shipped database and the help pages
# share one program folder, since the programs find their siblings, the database and the
# help beside themselves. The folder is private (lib/quillon), so the programs' short
# names do not clash with other programs; bin/ gets links to quillon and quillon-db.
# Then the icon, the menu entries and the launcher's autostart entry.
include(GNUInstallDirs)
set(QUILLON_INSTALL_PROGRAM_DIR "lib/quillon" CACHE STRING "The program folder, under the prefix")
set(QUILLON_AUTOSTART_DIR "" CACHE PATH
    "Where the autostart entry goes; empty: /etc/xdg/autostart for /usr and /usr/local, ~/.config/autostart for a prefix in the home folder")

install(TARGETS calendar quillon quillon-db scheduler options RUNTIME DESTINATION ${QUILLON_INSTALL_PROGRAM_DIR})
install(FILES ${QUILLON_PROGRAM_DIR}/dbcalndr.sqlite DESTINATION ${QUILLON_INSTALL_PROGRAM_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help/ DESTINATION ${QUILLON_INSTALL_PROGRAM_DIR}/help)
install(FILES ${QUILLON_QM_FILES} DESTINATION ${QUILLON_INSTALL_PROGRAM_DIR}/translations)

if(NOT WIN32)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/quillon.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The entries name the programs by absolute path, so they are written with the prefix
  # that is in force when installing (cmake --install --prefix may change it).
  set(QUILLON_DESKTOP_SOURCES ${CMAKE_SOURCE_DIR}/data/desktop)
  set(QUILLON_DESKTOP_STAGE ${CMAKE_BINARY_DIR}/desktop-entries)
  install(CODE "
    set(program_dir \"${QUILLON_INSTALL_PROGRAM_DIR}\")
    set(QUILLON_FOLDER \"\${CMAKE_INSTALL_PREFIX}/\${program_dir}\")
    set(entries quillon quillon-scheduler quillon-options)
    foreach(entry \${entries})
      configure_file(\"${QUILLON_DESKTOP_SOURCES}/\${entry}.desktop.in\" \"${QUILLON_DESKTOP_STAGE}/\${entry}.desktop\" @ONLY)
      file(INSTALL \"${QUILLON_DESKTOP_STAGE}/\${entry}.desktop\"
           DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
    endforeach()

    set(autostart \"${QUILLON_AUTOSTART_DIR}\")
    if(NOT autostart)
      if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?$\")
        set(autostart /etc/xdg/autostart)
      elseif(DEFINED ENV{HOME} AND CMAKE_INSTALL_PREFIX MATCHES \"^\$ENV{HOME}/\")
        set(autostart \"\$ENV{HOME}/.config/autostart\")
        if(DEFINED ENV{XDG_CONFIG_HOME} AND NOT \"\$ENV{XDG_CONFIG_HOME}\" STREQUAL \"\")
          set(autostart \"\$ENV{XDG_CONFIG_HOME}/autostart\")
        endif()
      else()
        set(autostart \"\${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart\")
      endif()
    endif()
    file(INSTALL \"${QUILLON_DESKTOP_STAGE}/quillon.desktop\" DESTINATION \"\${autostart}\")

    foreach(link quillon quillon-db)
      if(EXISTS \"\$ENV{DESTDIR}\${QUILLON_FOLDER}/\${link}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        message(STATUS \"Linking: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${link}\")
        file(CREATE_LINK \"../\${program_dir}/\${link}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${link}\" SYMBOLIC)
      endif()
    endforeach()
  ")
endif()
