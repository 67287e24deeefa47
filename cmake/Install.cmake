# What `cmake --install` puts on a system: the programs, and what makes them desktop
# applications there (menu entries, file types, icons, manual pages, software-centre data).
# Included after every target is defined, so programs added later install as soon as they exist.
include(GNUInstallDirs)

set(TAVRIN_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
# TAVRIN_DESKTOP_APPS and the icons come from cmake/Icons.cmake.

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
