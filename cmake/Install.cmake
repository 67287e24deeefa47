# SPDX-License-Identifier: MIT
# What `cmake --install` puts on a system: the programs, and what makes them desktop
# applications there (menu entries, file types, icons, manual pages, software-centre data).
# Included after every target is defined, so programs added later install as soon as they exist.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()
include(GNUInstallDirs)

set(TAVRIN_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
# TAVRIN_DESKTOP_APPS and the icons come from cmake/Icons.cmake.

# Files installed gzip-compressed, as Debian policy wants manual pages and changelogs: made at
# build time, at the highest compression and without the name and time stamp that gzip would
# otherwise put in (so that two builds give the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_files)
function(tavrin_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(gz ${CMAKE_BINARY_DIR}/gzipped/${destination}/${name}.gz)
  get_filename_component(gz_dir ${gz} DIRECTORY)
  file(MAKE_DIRECTORY ${gz_dir})
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${gz}
    DEPENDS ${source}
    VERBATIM)
  set(compressed_files ${compressed_files} ${gz} PARENT_SCOPE)
  install(FILES ${gz} DESTINATION ${destination})
endfunction()

foreach(program tavrin quelda tvdrv-sim tvrtool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(EXISTS ${TAVRIN_DATA_DIR}/man/${program}.1)
      tavrin_install_gzipped(${TAVRIN_DATA_DIR}/man/${program}.1 ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    # The page in Japanese, for a reader whose language is Japanese.
    if(EXISTS ${TAVRIN_DATA_DIR}/man/ja/${program}.1)
      tavrin_install_gzipped(${TAVRIN_DATA_DIR}/man/ja/${program}.1 ${CMAKE_INSTALL_MANDIR}/ja/man1)
    endif()
  endif()
endforeach()

# The licence and the history, where Debian keeps them: a machine-readable copyright file and
# the changelog, under the package's name (not the project's, which GNUInstallDirs would use).
set(TAVRIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavrin)
install(FILES ${TAVRIN_DATA_DIR}/debian/copyright DESTINATION ${TAVRIN_DOC_DIR})
tavrin_install_gzipped(${TAVRIN_DATA_DIR}/debian/changelog ${TAVRIN_DOC_DIR})
# The package's version comes from the project; the changelog's newest entry must say the same.
file(STRINGS ${TAVRIN_DATA_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^tavrin \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/debian/changelog starts \"${changelog_head}\"; its newest entry must "
                      "be for version ${PROJECT_VERSION}")
endif()

# Completions of tvrtool's subcommands, options and file names, where each shell looks.
if(TARGET tvrtool)
  install(FILES ${TAVRIN_DATA_DIR}/completions/tvrtool.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tvrtool)
  install(FILES ${TAVRIN_DATA_DIR}/completions/_tvrtool
          DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  install(FILES ${TAVRIN_DATA_DIR}/completions/tvrtool.fish
          DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
endif()

# The JSON Schema of tvrtool's export, for editors and validators.
if(TARGET tvrtool)
  install(FILES ${TAVRIN_DATA_DIR}/schema/tvrtool-layout.schema.json
          DESTINATION ${CMAKE_INSTALL_DATADIR}/tvrtool)
endif()

foreach(app IN LISTS TAVRIN_DESKTOP_APPS)
  install(FILES ${TAVRIN_DATA_DIR}/applications/${app}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TAVRIN_DATA_DIR}/metainfo/${app}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()
install(FILES ${TAVRIN_DATA_DIR}/mime/tavrin.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Icons: the scalable drawings, and the fixed sizes cmake/Icons.cmake renders from them.
set(icon_root ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(context IN ITEMS apps mimetypes)
  foreach(name IN LISTS TAVRIN_ICONS_${context})
    install(FILES ${TAVRIN_DATA_DIR}/icons/${name}.svg DESTINATION ${icon_root}/scalable/${context})
  endforeach()
endforeach()
if(TARGET icons)
  install(DIRECTORY ${TAVRIN_ICON_DIR}/ DESTINATION ${icon_root})
endif()
add_custom_target(gzipped ALL DEPENDS ${compressed_files})

# Installed straight onto a system (no DESTDIR, no package being made), the MIME, menu and icon
# caches are brought up to date, as a package's triggers would do: without that, the file types
# stay unknown and a double-click on a layout opens nothing. Each tool is optional; a prefix the
# desktop does not read (XDG_DATA_DIRS) still needs the user to add it there.
install(CODE "set(tavrin_share_dir \"${CMAKE_INSTALL_DATADIR}\")")
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "" AND NOT CPACK_GENERATOR)
    set(share "${CMAKE_INSTALL_PREFIX}/${tavrin_share_dir}")
    foreach(step IN ITEMS "update-mime-database|mime" "update-desktop-database|-q|applications"
                          "gtk-update-icon-cache|-q|-t|-f|icons/hicolor")
      string(REPLACE "|" ";" step "${step}")
      list(POP_FRONT step tool)
      list(POP_BACK step folder)
      find_program(tool_path ${tool} NO_CACHE)
      if(tool_path)
        message(STATUS "Updating: ${share}/${folder}")
        execute_process(COMMAND ${tool_path} ${step} "${share}/${folder}" TIMEOUT 120
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
          message(WARNING "${tool} ${share}/${folder} failed (${status})")
        endif()
      else()
        message(STATUS "Not found, so not updated: ${tool} (${share}/${folder})")
      endif()
      unset(tool_path)
    endforeach()
  endif()
]])
