# Makes the Debian packages from the build, in a work folder, and checks them: each package's
# files, that korvland-cli depends on no Qt library (with the C++ runtime linked in, on the C
# library alone) and korvland on korvland-cli of its own version, and (when lintian is
# installed) lintian's verdict, hardening tags included.
# cmake -DBUILD_DIR=... [-DWORK_DIR=...] -P CheckPackages.cmake (also on a build without tests)
cmake_minimum_required(VERSION 3.25)

# What the build packages: its version, its components, the editor's application id.
include(${BUILD_DIR}/CPackConfig.cmake)
set(VERSION ${CPACK_PACKAGE_VERSION})
set(GUI OFF)
if(editor IN_LIST CPACK_COMPONENTS_ALL)
  set(GUI ON)
endif()
load_cache(${BUILD_DIR} READ_WITH_PREFIX "" KORVLAND_APP_ID KORVLAND_CLI_STATIC_CXX_RUNTIME)
set(APP_ID ${KORVLAND_APP_ID})
if(NOT WORK_DIR)
  set(WORK_DIR ${BUILD_DIR}/package-test)
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(fail message)
  message(SEND_ERROR "${message}")
endfunction()

execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()

# The files (not folders) a package installs, as absolute paths, sorted.
function(package_files deb out)
  execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot list ${deb}")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  set(files)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[-l][^ ]* .* \\.(/[^ ]+)")
      list(APPEND files ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(package_field deb field out)
  execute_process(COMMAND dpkg-deb -f ${deb} ${field} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

function(expect_files name deb expected)
  package_files(${deb} files)
  list(SORT expected)
  if(NOT "${files}" STREQUAL "${expected}")
    string(REPLACE ";" "\n  " files "${files}")
    string(REPLACE ";" "\n  " expected "${expected}")
    fail("${name} installs\n  ${files}\ninstead of\n  ${expected}")
  endif()
endfunction()

file(GLOB cli_deb ${WORK_DIR}/korvland-cli_${VERSION}_*.deb)
file(GLOB editor_deb ${WORK_DIR}/korvland_${VERSION}_*.deb)
if(NOT cli_deb)
  message(FATAL_ERROR "cpack made no korvland-cli package: ${output}")
endif()

# The command-line tool: the program, its manual page, its shell completion for bash, zsh and
# fish, the package's documents; nothing of Qt.
# With the C++ runtime linked in (the default) it needs the C library alone, otherwise the C++
# runtime besides.
set(doc /usr/share/doc/korvland-cli)
set(completions /usr/share/bash-completion/completions/korvland-cli /usr/share/zsh/vendor-completions/_korvland-cli
    /usr/share/fish/vendor_completions.d/korvland-cli.fish)
expect_files(korvland-cli ${cli_deb} "/usr/bin/korvland-cli;/usr/share/man/man1/korvland-cli.1.gz;${completions};${doc}/README.md;${doc}/changelog.gz;${doc}/copyright")
package_field(${cli_deb} Depends cli_depends)
if(cli_depends MATCHES "[Qq]t|libx|libgl|korvland")
  fail("korvland-cli depends on more than the C and C++ runtimes: ${cli_depends}")
elseif(NOT cli_depends MATCHES "(^|, )libc6( |,|$)")
  fail("korvland-cli does not name the C library: ${cli_depends}")
elseif(KORVLAND_CLI_STATIC_CXX_RUNTIME AND cli_depends MATCHES "libstdc|libgcc")
  fail("korvland-cli carries the C++ runtime but depends on it: ${cli_depends}")
elseif(NOT KORVLAND_CLI_STATIC_CXX_RUNTIME AND NOT cli_depends MATCHES "libstdc\\+\\+6")
  fail("korvland-cli does not name the C++ runtime: ${cli_depends}")
endif()
set(debs ${cli_deb})

if(GUI)
  if(NOT editor_deb)
    message(FATAL_ERROR "cpack made no korvland package: ${output}")
  endif()
  list(APPEND debs ${editor_deb})
  set(doc /usr/share/doc/korvland)
  set(share /usr/share)
  set(expected /usr/bin/korvland /usr/bin/korvland-rasterize ${share}/man/man1/korvland.1.gz
      ${share}/man/man1/korvland-rasterize.1.gz ${doc}/README.md ${doc}/changelog.gz ${doc}/copyright
      ${share}/applications/${APP_ID}.desktop ${share}/metainfo/${APP_ID}.metainfo.xml
      ${share}/mime/packages/korvland.xml ${share}/thumbnailers/korvland.thumbnailer
      ${share}/korvland/translations/korvland_de.qm
      ${share}/korvland/translations/korvland_en.qm)
  # The operator's guide: its pages and pictures as the build made them, the contents among them.
  file(GLOB guide RELATIVE ${BUILD_DIR}/guide ${BUILD_DIR}/guide/*.html ${BUILD_DIR}/guide/*.png)
  if(NOT index.html IN_LIST guide)
    fail("the build made no guide in ${BUILD_DIR}/guide")
  endif()
  list(TRANSFORM guide PREPEND ${doc}/guide/)
  list(APPEND expected ${guide})
  foreach(size 16x16 32x32 48x48 64x64 128x128 256x256 scalable)
    set(extension png)
    if(size STREQUAL scalable)
      set(extension svg)
    endif()
    list(APPEND expected ${share}/icons/hicolor/${size}/apps/korvland.${extension})
    foreach(type landmarks profile)
      list(APPEND expected ${share}/icons/hicolor/${size}/mimetypes/application-x-korvland-${type}.${extension})
    endforeach()
  endforeach()
  expect_files(korvland ${editor_deb} "${expected}")
  package_field(${editor_deb} Depends editor_depends)
  string(REPLACE "." "\\." version_pattern "${VERSION}")
  if(NOT editor_depends MATCHES "(^|, )korvland-cli \\(= ${version_pattern}\\)(,|$)")
    fail("korvland does not depend on korvland-cli ${VERSION}: ${editor_depends}")
  endif()
  if(NOT editor_depends MATCHES "libqt6widgets6" OR editor_depends MATCHES "qt6-qpa-plugins")
    fail("korvland's dependencies are not the libraries it links: ${editor_depends}")
  endif()
  # Without Qt's Wayland platform a Wayland desktop shows the editor through Xwayland.
  package_field(${editor_deb} Recommends editor_recommends)
  if(NOT editor_recommends MATCHES "(^|, )qt6-wayland(,|$)")
    fail("korvland does not recommend qt6-wayland: ${editor_recommends}")
  endif()
endif()

# The programs are stripped as dh_strip strips them: no symbols, no compilers' notes in .comment.
find_program(READELF readelf NO_CACHE)
foreach(deb IN LISTS debs)
  if(NOT READELF)
    message(STATUS "skipped: readelf is not installed")
    break()
  endif()
  get_filename_component(name ${deb} NAME_WE)
  execute_process(COMMAND dpkg-deb -x ${deb} ${WORK_DIR}/${name} RESULT_VARIABLE result)
  file(GLOB programs ${WORK_DIR}/${name}/usr/bin/*)
  foreach(program IN LISTS programs)
    execute_process(COMMAND ${READELF} -S -W ${program} OUTPUT_VARIABLE sections RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR sections MATCHES " \\.(comment|symtab) ")
      fail("${program} keeps a .comment or .symtab section: ${result}")
    endif()
  endforeach()
endforeach()

# lintian, when installed, passes both packages without an error or a warning; its hardening
# tags (stack protector, fortified calls, RELRO, bind-now, PIE) are asked for explicitly, as
# some of them are only shown on request.
find_program(LINTIAN lintian NO_CACHE)
if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --fail-on error,warning --display-info --tag-display-limit 0 ${debs}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR output MATCHES "hardening-")
    fail("lintian rejects the packages:\n${output}")
  else()
    message(STATUS "lintian: accepted\n${output}")
  endif()
else()
  message(STATUS "skipped: lintian is not installed")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
