# SPDX-License-Identifier: MIT
# What `cmake --install` puts on a system: the programs, and what makes them desktop
# applications there (menu entries, file types, icons, manual pages, software-centre data).
# Included after every target is defined, so programs added later install as soon as they exist.
include(GNUInstallDirs)

set(TAVRIN_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
# The desktop programs, by their application id (the names of their desktop entries, icons and
# AppStream files).
set(TAVRIN_DESKTOP_APPS org.tavrin.Tavrin org.tavrin.Quelda)
# The icons of the two configuration file kinds, named after their MIME types.
set(TAVRIN_FILE_ICONS application-x-tavrin-config application-x-quelda-config)
set(TAVRIN_ICON_SIZES 16 32 48 64 128 256)

foreach(program tavrin quelda tvdrv-sim tvrtool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(EXISTS ${TAVRIN_DATA_DIR}/man/${program}.1)
      install(FILES ${TAVRIN_DATA_DIR}/man/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endif()
endforeach()

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

# Icons: the SVGs are the only source; the fixed sizes are rendered from them at build time, so a
# changed drawing can never leave stale pictures behind.
set(icon_root ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): only the scalable icons "
                  "will be installed, without the fixed sizes that menus and file managers prefer.")
endif()
set(rendered_icons)
foreach(context IN ITEMS apps mimetypes)
  if(context STREQUAL "apps")
    set(names ${TAVRIN_DESKTOP_APPS})
  else()
    set(names ${TAVRIN_FILE_ICONS})
  endif()
  foreach(name IN LISTS names)
    set(svg ${TAVRIN_DATA_DIR}/icons/${name}.svg)
    install(FILES ${svg} DESTINATION ${icon_root}/scalable/${context})
    if(NOT RSVG_CONVERT)
      continue()
    endif()
    foreach(size IN LISTS TAVRIN_ICON_SIZES)
      set(png_dir ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${context})
      set(png ${png_dir}/${name}.png)
      file(MAKE_DIRECTORY ${png_dir})
      add_custom_command(
        OUTPUT ${png}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${svg}
        DEPENDS ${svg}
        COMMENT "Rendering ${name} at ${size} pixels"
        VERBATIM)
      list(APPEND rendered_icons ${png})
      install(FILES ${png} DESTINATION ${icon_root}/${size}x${size}/${context})
    endforeach()
  endforeach()
endforeach()
if(rendered_icons)
  add_custom_target(icons ALL DEPENDS ${rendered_icons})
endif()
