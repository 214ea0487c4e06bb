# Installing korvland as a Linux desktop program, and the Debian packages made from that
# installation. Included at the end of the top-level CMakeLists.txt, after every program's
# folder has been added, so that `if(TARGET ...)` sees them all.
#
# Two install components, one Debian package each: `cli` (korvland-cli: the command-line tool,
# which needs only the C library, the C++ runtime being linked in) and `editor` (korvland: the
# editor, the rasterizer and the desktop integration, depending on korvland-cli).
# `cmake --install` installs both.
include(GNUInstallDirs)

set(KORVLAND_HOMEPAGE "https://github.com/korvland/korvland" CACHE STRING
    "Project home page, named in the AppStream metainfo and the Debian package")
set(KORVLAND_SCREENSHOT_URL
    "https://raw.githubusercontent.com/korvland/korvland/main/packaging/screenshots/editor.png"
    CACHE STRING "Where the editor's screenshot in packaging/screenshots/ is published")
set(KORVLAND_PACKAGE_CONTACT "The korvland developers <maintainers@korvland.invalid>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(_korvland_packaging ${CMAKE_SOURCE_DIR}/packaging)

# Programs, and the component each goes with.
set(_korvland_component_korvland-cli cli)
set(_korvland_component_korvland editor)
set(_korvland_component_korvland-rasterize editor)
# A stripped program also loses the compilers' version notes in .comment, as dh_strip does.
foreach(program korvland korvland-cli korvland-rasterize)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
            COMPONENT ${_korvland_component_${program}})
    if(CMAKE_OBJCOPY)
      install(CODE "if(CMAKE_INSTALL_DO_STRIP)
          execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" COMMAND_ERROR_IS_FATAL ANY)
        endif()" COMPONENT ${_korvland_component_${program}})
    endif()
  endif()
endforeach()

# korvland-cli's shell completion (made in tools/cli), where Debian's shells look for it.
if(TARGET korvland-cli)
  set(_korvland_completion_folders bash-completion/completions zsh/vendor-completions fish/vendor_completions.d)
  foreach(script folder IN ZIP_LISTS KORVLAND_COMPLETIONS _korvland_completion_folders)
    install(FILES ${script} DESTINATION ${CMAKE_INSTALL_DATADIR}/${folder} COMPONENT cli)
  endforeach()
endif()

# Manual pages, compressed as Debian keeps them.
find_program(KORVLAND_GZIP gzip)
set(_korvland_man_pages)
foreach(program korvland korvland-cli korvland-rasterize)
  if(TARGET ${program})
    list(APPEND _korvland_man_pages ${program})
  endif()
endforeach()
foreach(page IN LISTS _korvland_man_pages)
  # The page's heading names the version CMake knows.
  set(source ${CMAKE_BINARY_DIR}/packaging/man/${page}.1)
  configure_file(${_korvland_packaging}/man/${page}.1 ${source} @ONLY)
  if(KORVLAND_GZIP)
    set(compressed ${CMAKE_BINARY_DIR}/packaging/man/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
      COMMAND ${KORVLAND_GZIP} -9 -n -c ${source} > ${compressed}
      DEPENDS ${source} VERBATIM)
    list(APPEND _korvland_generated ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
            COMPONENT ${_korvland_component_${page}})
  else()
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${_korvland_component_${page}})
  endif()
endforeach()
# Each package's own documents (README, changelog, copyright), where Debian looks for them:
# /usr/share/doc/<package>.
if(KORVLAND_GZIP)
  set(_korvland_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${_korvland_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${KORVLAND_GZIP} -9 -n -c ${_korvland_packaging}/changelog > ${_korvland_changelog}
    DEPENDS ${_korvland_packaging}/changelog VERBATIM)
  list(APPEND _korvland_generated ${_korvland_changelog})
else()
  set(_korvland_changelog ${_korvland_packaging}/changelog)
endif()
set(_korvland_docdir_cli ${CMAKE_INSTALL_DATAROOTDIR}/doc/korvland-cli)
set(_korvland_docdir_editor ${CMAKE_INSTALL_DATAROOTDIR}/doc/korvland)
set(_korvland_components cli)
if(TARGET korvland)
  list(APPEND _korvland_components editor)
endif()
foreach(component IN LISTS _korvland_components)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${_korvland_packaging}/copyright ${_korvland_changelog}
          DESTINATION ${_korvland_docdir_${component}} COMPONENT ${component})
endforeach()

if(_korvland_generated)
  add_custom_target(korvland_packaging_files ALL DEPENDS ${_korvland_generated})
endif()

# Desktop integration of the editor: menu entry, file types, software-centre metadata, icons.
# The desktop entry is named after the application id, as desktops and software centres
# look it up; file types get icons of their own name; file managers draw landmark files'
# previews with the rasterizer. The file-type icons show the program's picture.
if(TARGET korvland)
  set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME editor)
  install(FILES ${_korvland_packaging}/korvland.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${KORVLAND_APP_ID}.desktop)
  install(FILES ${_korvland_packaging}/korvland-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME korvland.xml)
  install(FILES ${_korvland_packaging}/korvland.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
  configure_file(${_korvland_packaging}/korvland.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/${KORVLAND_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${KORVLAND_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(_korvland_mime_icons application-x-korvland-landmarks application-x-korvland-profile)
  foreach(size 16 32 48 64 128 256)
    set(folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size})
    install(FILES ${_korvland_packaging}/icons/korvland-${size}.png DESTINATION ${folder}/apps RENAME korvland.png)
    foreach(icon IN LISTS _korvland_mime_icons)
      install(FILES ${_korvland_packaging}/icons/korvland-${size}.png DESTINATION ${folder}/mimetypes
              RENAME ${icon}.png)
    endforeach()
  endforeach()
  install(FILES ${_korvland_packaging}/icons/korvland.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(icon IN LISTS _korvland_mime_icons)
    install(FILES ${_korvland_packaging}/icons/korvland.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes RENAME ${icon}.svg)
  endforeach()
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
  # The Debian packages, made with cpack as a packager makes them: from a hardened GCC build only.
  # A sanitizer's build is no package anybody ships, and lintian cannot see clang's fortified
  # calls, so either would fail its hardening check for reasons no package has.
  find_program(KORVLAND_DPKG_DEB dpkg-deb)
  if(KORVLAND_DPKG_DEB AND KORVLAND_HARDENING AND NOT KORVLAND_SANITIZE AND NOT KORVLAND_FUZZ
     AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_test(NAME DebianPackages
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackages.cmake)
    set_tests_properties(DebianPackages PROPERTIES TIMEOUT 600)
  endif()
endif()

# cpack -G DEB: two packages for Debian and its derivatives, installing under /usr:
# korvland-cli for servers (the C library is all it needs) and korvland for desktops.
set(CPACK_PACKAGE_NAME korvland)
set(CPACK_PACKAGE_VENDOR "The korvland developers")
set(CPACK_PACKAGE_CONTACT "${KORVLAND_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${_korvland_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KORVLAND_HOMEPAGE}")
# The libraries the programs link come from dpkg-shlibdeps; on Debian 12 the Qt platform
# plugins come with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Each package's description: its synopsis, then the long text.
set(CPACK_DEBIAN_CLI_PACKAGE_NAME korvland-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "command-line tool for the landmark files a game server loads
korvland-cli looks at, exports (CSV, JSON) and compiles the landmark
files of a game server (one per theatre map, listing its airfields,
cities, depots, stations, bridges, factories, towns and villages),
applies profiles of switched-off landmarks and writes demonstration
files, exactly as the korvland editor reads and writes them. It needs
no display and no GUI libraries.")
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME korvland)
set(CPACK_DEBIAN_EDITOR_DESCRIPTION
    "editor for the landmark files a game server loads
A desktop editor for the landmark files of a game server: one file per
theatre map listing its airfields, cities, depots, stations, bridges,
factories, towns and villages. Switch landmarks on and off, change their
side, type and name, see them on a zoomable map, count what each side
owns, keep the switched-off landmarks in a profile and write the result
back. Also korvland-rasterize, which draws the map of a landmark file
into an image, and the file manager's previews of landmark files.")
# The editor package depends on korvland-cli of the same version.
set(CPACK_COMPONENT_EDITOR_DEPENDS cli)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# Qt's own translations: its dialogs' buttons in the user's language, beside the editor's; and
# Qt's Wayland platform, so that a Wayland desktop shows the editor natively, not through Xwayland.
set(CPACK_DEBIAN_EDITOR_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n, qt6-wayland")
set(CPACK_GENERATOR DEB)
include(CPack)
