# Installing korvland as a Linux desktop program, and the Debian package made from that
# installation. Included at the end of the top-level CMakeLists.txt, after every program's
# folder has been added, so that `if(TARGET ...)` sees them all.
include(GNUInstallDirs)

set(KORVLAND_APP_ID "io.github.korvland.korvland" CACHE STRING
    "AppStream component id of the editor")
set(KORVLAND_HOMEPAGE "https://github.com/korvland/korvland" CACHE STRING
    "Project home page, named in the AppStream metainfo and the Debian package")
set(KORVLAND_SCREENSHOT_URL
    "https://raw.githubusercontent.com/korvland/korvland/main/packaging/screenshots/editor.png"
    CACHE STRING "Where the editor's screenshot in packaging/screenshots/ is published")
set(KORVLAND_PACKAGE_CONTACT "The korvland developers <maintainers@korvland.invalid>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(_korvland_packaging ${CMAKE_SOURCE_DIR}/packaging)

# Programs.
foreach(program korvland korvland-cli korvland-rasterize)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# Manual pages, compressed as Debian keeps them.
find_program(KORVLAND_GZIP gzip)
set(_korvland_man_pages)
foreach(program korvland korvland-cli korvland-rasterize)
  if(TARGET ${program})
    list(APPEND _korvland_man_pages ${program})
  endif()
endforeach()
foreach(page IN LISTS _korvland_man_pages)
  set(source ${_korvland_packaging}/man/${page}.1)
  if(KORVLAND_GZIP)
    set(compressed ${CMAKE_BINARY_DIR}/packaging/man/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
      COMMAND ${KORVLAND_GZIP} -9 -n -c ${source} > ${compressed}
      DEPENDS ${source} VERBATIM)
    list(APPEND _korvland_generated ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
# The package's own documents, where Debian looks for them.
install(FILES ${_korvland_packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(KORVLAND_GZIP)
  set(_korvland_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${_korvland_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${KORVLAND_GZIP} -9 -n -c ${_korvland_packaging}/changelog > ${_korvland_changelog}
    DEPENDS ${_korvland_packaging}/changelog VERBATIM)
  list(APPEND _korvland_generated ${_korvland_changelog})
  install(FILES ${_korvland_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${_korvland_packaging}/changelog DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

if(_korvland_generated)
  add_custom_target(korvland_packaging_files ALL DEPENDS ${_korvland_generated})
endif()

# Desktop integration of the editor: menu entry, file types, software-centre metadata, icons.
if(TARGET korvland)
  install(FILES ${_korvland_packaging}/korvland.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_korvland_packaging}/korvland-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME korvland.xml)
  configure_file(${_korvland_packaging}/korvland.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/${KORVLAND_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${KORVLAND_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${_korvland_packaging}/icons/korvland-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME korvland.png)
  endforeach()
  install(FILES ${_korvland_packaging}/icons/korvland.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Installed straight onto this machine, the caches that desktops read are brought up to date
  # here; a package (DESTDIR set) leaves that to the package manager's triggers.
  string(CONFIGURE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      set(share "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@")
      find_program(update_mime update-mime-database)
      find_program(update_desktop update-desktop-database)
      find_program(update_icons gtk-update-icon-cache)
      if(update_mime)
        execute_process(COMMAND ${update_mime} "${share}/mime")
      endif()
      if(update_desktop)
        execute_process(COMMAND ${update_desktop} -q "${share}/applications")
      endif()
      if(update_icons AND EXISTS "${share}/icons/hicolor/index.theme")
        execute_process(COMMAND ${update_icons} -q -t "${share}/icons/hicolor")
      endif()
    endif()
  ]] _korvland_refresh_caches @ONLY)
  install(CODE "${_korvland_refresh_caches}")
endif()

# The installed tree, checked in a temporary DESTDIR: files, validators, programs that run.
if(KORVLAND_TESTS)
  add_test(NAME InstallTree
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test -DAPP_ID=${KORVLAND_APP_ID}
                   -DVERSION=${PROJECT_VERSION} "-DPROGRAMS=${_korvland_man_pages}"
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckInstall.cmake)
  set_tests_properties(InstallTree PROPERTIES TIMEOUT 300)
endif()

# cpack -G DEB: a package for Debian and its derivatives, installing under /usr.
set(CPACK_PACKAGE_NAME korvland)
set(CPACK_PACKAGE_VENDOR "The korvland developers")
set(CPACK_PACKAGE_CONTACT "${KORVLAND_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the landmark files a game server loads")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop editor for the landmark files of a game server: one file per
theatre map listing its airfields, cities, depots, stations, bridges,
factories, towns and villages. Switch landmarks on and off, change their
side, type and name, see them on a zoomable map, count what each side
owns, keep the switched-off landmarks in a profile and write the result
back. Also korvland-cli, the same file operations from a shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KORVLAND_HOMEPAGE}")
# The libraries the programs link come from dpkg-shlibdeps. The Qt platform plugins are loaded
# at run time, where it cannot see them, and Debian's Qt only recommends them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET korvland)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
endif()
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_GENERATOR DEB)
include(CPack)
