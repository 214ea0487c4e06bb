# Installs the build into a fresh DESTDIR under a prefix other than the default and checks
# what arrives there: every file in its place, the desktop entry and the metainfo accepted by
# their validators (when installed), the file types readable by shared-mime-info, and the
# installed programs answering --version.
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DAPP_ID=... -DVERSION=... -DPROGRAMS=a;b -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)

set(prefix /opt/korvland)
set(destdir ${WORK_DIR}/destdir)
set(root ${destdir}${prefix})
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(fail message)
  message(SEND_ERROR "${message}")
endfunction()

# Runs a validator when it is installed; any error or warning it prints fails the check.
function(validate tool)
  find_program(tool_path ${tool} NO_CACHE)
  if(NOT tool_path)
    message(STATUS "skipped: ${tool} is not installed (scripts/install-deps.sh installs it)")
    return()
  endif()
  execute_process(COMMAND ${tool_path} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR output MATCHES "(^|\n)[^\n]*([Ee]rror|[Ww]arning)")
    fail("${tool} rejects what was installed:\n${output}")
  else()
    message(STATUS "${tool}: accepted")
  endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${destdir}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()
if(EXISTS ${BUILD_DIR}/${prefix} OR EXISTS ${prefix}/bin/korvland-cli)
  fail("the installation went outside DESTDIR")
endif()

# Every program with its manual page, korvland-cli's shell completion, each package's documents
# in its own folder.
set(expected)
foreach(program IN LISTS PROGRAMS)
  list(APPEND expected bin/${program} share/man/man1/${program}.1.gz)
endforeach()
list(APPEND expected share/bash-completion/completions/korvland-cli share/zsh/vendor-completions/_korvland-cli
     share/fish/vendor_completions.d/korvland-cli.fish)
set(packages korvland-cli)
set(gui FALSE)
if(korvland IN_LIST PROGRAMS)
  set(gui TRUE)
  list(APPEND packages korvland)
  set(mime_icons application-x-korvland-landmarks application-x-korvland-profile)
  list(APPEND expected share/applications/${APP_ID}.desktop share/mime/packages/korvland.xml
       share/metainfo/${APP_ID}.metainfo.xml share/thumbnailers/korvland.thumbnailer
       share/icons/hicolor/scalable/apps/korvland.svg share/korvland/translations/korvland_de.qm
       share/doc/korvland/guide/index.html share/doc/korvland/guide/welcome.png)
  foreach(size 16 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/korvland.png)
    foreach(icon IN LISTS mime_icons)
      list(APPEND expected share/icons/hicolor/${size}x${size}/mimetypes/${icon}.png)
    endforeach()
  endforeach()
  foreach(icon IN LISTS mime_icons)
    list(APPEND expected share/icons/hicolor/scalable/mimetypes/${icon}.svg)
  endforeach()
endif()
foreach(package IN LISTS packages)
  foreach(document README.md changelog.gz copyright)
    list(APPEND expected share/doc/${package}/${document})
  endforeach()
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${root}/${file})
    fail("not installed: ${prefix}/${file}")
  endif()
endforeach()
foreach(program IN LISTS PROGRAMS)
  if(NOT IS_SYMLINK ${root}/bin/${program})
    execute_process(COMMAND test -x ${root}/bin/${program} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      fail("${prefix}/bin/${program} is not executable")
    endif()
  endif()
endforeach()

# A manual page that would not format is as good as none.
find_program(MAN man)
if(MAN)
  foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 ${MAN} --warnings -l
                            ${root}/share/man/man1/${program}.1.gz
                    RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR warnings OR NOT page MATCHES "${program}")
      fail("man page of ${program} does not format cleanly: ${warnings}")
    endif()
  endforeach()
endif()

# The installed programs run and tell their version without a display.
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          --unset=QT_QPA_PLATFORM ${root}/bin/${program} --version
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
  string(REPLACE "." "\\." version_pattern "${VERSION}")
  if(NOT result EQUAL 0 OR NOT output MATCHES "^${program}[^\n]* ${version_pattern}\n")
    fail("${program} --version answered ${result}: '${output}' ${errors}")
  endif()
endforeach()

# korvland-cli's help ends with where the editor's package puts the operator's guide.
execute_process(COMMAND ${root}/bin/korvland-cli --help OUTPUT_VARIABLE help)
string(FIND "${help}" "${root}/share/doc/korvland/guide/index.html\n" guide_named)
if(guide_named EQUAL -1)
  fail("korvland-cli --help does not name ${prefix}/share/doc/korvland/guide/index.html")
endif()

if(gui)
  # The icons are the sizes their folders name.
  foreach(size 16 32 48 64 128 256)
    file(READ ${root}/share/icons/hicolor/${size}x${size}/apps/korvland.png header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
      fail("hicolor ${size}x${size} icon is ${width}x${height}")
    endif()
  endforeach()

  # The installed editor keeps its settings in the user's configuration folder, even where it
  # could write its own folder (as root here), and --help says so without creating anything.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY XDG_CONFIG_HOME=${WORK_DIR}/config
                          ${root}/bin/korvland --help
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
  string(FIND "${output}" "Settings file: ${WORK_DIR}/config/korvland/korvland.INI\n" at)
  if(NOT result EQUAL 0 OR at EQUAL -1)
    fail("installed korvland --help names another settings file: ${output} ${errors}")
  endif()
  if(EXISTS ${WORK_DIR}/config)
    fail("korvland --help created ${WORK_DIR}/config")
  endif()

  # The desktop entry opens files and claims both file types.
  file(READ ${root}/share/applications/${APP_ID}.desktop entry)
  foreach(line "Exec=korvland %f"
               "MimeType=application/x-korvland-landmarks;application/x-korvland-profile;"
               "Icon=korvland")
    string(FIND "${entry}" "\n${line}\n" at)
    if(at EQUAL -1)
      fail("desktop entry lacks '${line}'")
    endif()
  endforeach()

  # The metainfo's screenshot is a picture kept in the repository.
  file(READ ${root}/share/metainfo/${APP_ID}.metainfo.xml metainfo)
  if(NOT metainfo MATCHES "<image>[^<]*/(packaging/screenshots/[^<]+)</image>")
    fail("metainfo has no screenshot from packaging/screenshots")
  elseif(NOT EXISTS ${SOURCE_DIR}/${CMAKE_MATCH_1})
    fail("metainfo names a screenshot missing from the repository: ${CMAKE_MATCH_1}")
  endif()

  # A file manager's preview: the thumbnailer's command line, run as a file manager runs it,
  # writes a PNG of the requested size to a temporary name without an image extension.
  file(STRINGS ${root}/share/thumbnailers/korvland.thumbnailer exec_line REGEX "^Exec=")
  file(STRINGS ${root}/share/thumbnailers/korvland.thumbnailer mime_line REGEX "^MimeType=")
  if(NOT mime_line MATCHES "^MimeType=application/x-korvland-landmarks[\\;]*$")
    fail("thumbnailer is not for landmark files: ${mime_line}")
  endif()
  execute_process(COMMAND ${root}/bin/korvland-cli demo --region 2 -o ${WORK_DIR}/lndmrks2.dat
                  RESULT_VARIABLE result)
  string(REGEX REPLACE "^Exec=" "" exec_line "${exec_line}")
  separate_arguments(command UNIX_COMMAND "${exec_line}")
  list(TRANSFORM command REPLACE "^%s$" "128")
  list(TRANSFORM command REPLACE "^%i$" "${WORK_DIR}/lndmrks2.dat")
  list(TRANSFORM command REPLACE "^%o$" "${WORK_DIR}/thumbnail-Xq3Tz9")
  list(TRANSFORM command REPLACE "^korvland-rasterize$" "${root}/bin/korvland-rasterize")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                          ${command}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 60)
  if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/thumbnail-Xq3Tz9)
    fail("thumbnailer command ${command} failed: ${result} ${output}")
  else()
    file(READ ${WORK_DIR}/thumbnail-Xq3Tz9 header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT header MATCHES "^89504e470d0a1a0a" OR width GREATER 128 OR height GREATER 128
       OR (NOT width EQUAL 128 AND NOT height EQUAL 128))
      fail("thumbnail is no 128-pixel PNG: ${header}")
    endif()
  endif()

  validate(desktop-file-validate ${root}/share/applications/${APP_ID}.desktop)
  validate(appstreamcli validate --no-net ${root}/share/metainfo/${APP_ID}.metainfo.xml)
  # Builds the file-type database from the installed package, as the system does at install.
  validate(update-mime-database -V ${root}/share/mime)
  # That database knows a landmark file by its contents: the demo file under a name no pattern
  # names, with and without the banner another tool would not write; the preview is no such file.
  find_program(gio gio NO_CACHE)
  if(gio)
    file(COPY_FILE ${WORK_DIR}/lndmrks2.dat ${WORK_DIR}/other-tool)
    execute_process(COMMAND dd if=/dev/zero of=${WORK_DIR}/other-tool bs=20 count=1 conv=notrunc
                    RESULT_VARIABLE result ERROR_QUIET)
    foreach(file_and_type "lndmrks2.dat;application/x-korvland-landmarks"
                          "other-tool;application/x-korvland-landmarks" "thumbnail-Xq3Tz9;image/png")
      list(GET file_and_type 0 name)
      list(GET file_and_type 1 type)
      if(NOT EXISTS ${WORK_DIR}/${name})
        continue() # failed above
      endif()
      file(RENAME ${WORK_DIR}/${name} ${WORK_DIR}/sniffed)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${root}/share:/usr/share
                              XDG_DATA_HOME=${WORK_DIR}/none ${gio} info -a standard::content-type ${WORK_DIR}/sniffed
                      OUTPUT_VARIABLE output ERROR_VARIABLE output)
      file(RENAME ${WORK_DIR}/sniffed ${WORK_DIR}/${name})
      if(NOT output MATCHES "content-type: ${type}\n")
        fail("${name} is not recognised as ${type} by its contents: ${output}")
      endif()
    endforeach()
  else()
    message(STATUS "skipped: gio is not installed")
  endif()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
