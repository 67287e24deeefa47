# SPDX-License-Identifier: MIT
# What Windows shows of each program: its icon (and, for the desktop programs, the icon of their
# file type, the second in the file, which the installer's file association points at), and the
# version information, all from one template, data/windows/program.rc.in. The icons are made from
# the pictures cmake/Icons.cmake renders, so the SVGs stay their only source.
enable_language(RC)
set(TAVRIN_WINDOWS_ICON_DIR ${CMAKE_BINARY_DIR}/windows-icons)
set(TAVRIN_WINDOWS_ICON_SIZES 16 32 48 256)

find_program(ICOTOOL icotool)
if(NOT TARGET icons OR NOT ICOTOOL)
  message(WARNING "rsvg-convert or icotool not found (Debian packages librsvg2-bin, icoutils): "
                  "the programs get no icon of their own.")
  set(TAVRIN_WINDOWS_ICONS OFF)
else()
  set(TAVRIN_WINDOWS_ICONS ON)
  set(ico_files)
  foreach(context IN ITEMS apps mimetypes)
    foreach(name IN LISTS TAVRIN_ICONS_${context})
      set(pngs)
      set(arguments)
      foreach(size IN LISTS TAVRIN_WINDOWS_ICON_SIZES)
        set(png ${TAVRIN_ICON_DIR}/${size}x${size}/${context}/${name}.png)
        list(APPEND pngs ${png})
        # The largest picture stays compressed, as Windows expects it at 256 pixels.
        if(size EQUAL 256)
          set(png --raw=${png})
        endif()
        list(APPEND arguments ${png})
      endforeach()
      set(ico ${TAVRIN_WINDOWS_ICON_DIR}/${name}.ico)
      add_custom_command(
        OUTPUT ${ico}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIN_WINDOWS_ICON_DIR}
        COMMAND ${ICOTOOL} --create --output=${ico} ${arguments}
        DEPENDS ${pngs}
        COMMENT "Making the Windows icon ${name}.ico"
        VERBATIM)
      list(APPEND ico_files ${ico})
    endforeach()
  endforeach()
  add_custom_target(windows_icons ALL DEPENDS ${ico_files})
endif()

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE rc_copyright REGEX "^Copyright" LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright \\(c\\) [0-9]+ " "" rc_company "${rc_copyright}")
# The descriptions say what the desktop entries and the manual page say.
function(tavrin_read_line variable file regex)
  file(STRINGS ${file} line REGEX "${regex}" LIMIT_COUNT 1)
  string(REGEX REPLACE "${regex}" "\\1" line "${line}")
  string(REPLACE "\\-" "-" line "${line}")
  set(${variable} "${line}" PARENT_SCOPE)
endfunction()

# PROGRAM PRODUCT DESCRIPTION APP_ICON [FILE_ICON]
function(tavrin_add_windows_resource program product description app_icon)
  if(NOT TARGET ${program})
    return()
  endif()
  set(rc_program ${program})
  set(rc_product ${product})
  set(rc_description ${description})
  set(rc_icons "")
  set(icos)
  if(TAVRIN_WINDOWS_ICONS)
    # By number, the program's own first: Windows shows the first icon in a file as its icon.
    set(number 1)
    foreach(icon IN ITEMS ${app_icon} ${ARGN})
      set(ico ${TAVRIN_WINDOWS_ICON_DIR}/${icon}.ico)
      string(APPEND rc_icons "${number} ICON \"${ico}\"\n")
      list(APPEND icos ${ico})
      math(EXPR number "${number} + 1")
    endforeach()
    add_dependencies(${program} windows_icons)
  endif()
  set(rc ${CMAKE_BINARY_DIR}/windows-resources/${program}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/data/windows/program.rc.in ${rc} @ONLY)
  target_sources(${program} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${program}
                              PROPERTIES OBJECT_DEPENDS "${icos}")
endfunction()

set(data ${PROJECT_SOURCE_DIR}/data)
tavrin_read_line(tavrin_summary ${data}/applications/org.tavrin.Tavrin.desktop "^Comment=(.*)")
tavrin_read_line(quelda_summary ${data}/applications/org.tavrin.Quelda.desktop "^Comment=(.*)")
tavrin_read_line(tvrtool_summary ${data}/man/tvrtool.1 "^tvrtool \\\\- (.*)")
tavrin_add_windows_resource(tavrin Tavrin "${tavrin_summary}" org.tavrin.Tavrin
                            application-x-tavrin-config)
tavrin_add_windows_resource(quelda Quelda "${quelda_summary}" org.tavrin.Quelda
                            application-x-quelda-config)
tavrin_add_windows_resource(tvrtool tvrtool "${tvrtool_summary}" org.tavrin.Tavrin)
