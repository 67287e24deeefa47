# SPDX-License-Identifier: MIT
# What `cmake --install` puts in place on Windows: one folder that runs as it is, the programs
# with the Qt libraries and plugins and the compiler's runtime beside them, as Windows looks for
# DLLs next to the program first and Qt for its plugins in folders next to it. None of the Linux
# desktop files: the installer (cmake/Packaging.cmake) makes the menu entries and file types.
foreach(program tavrin quelda tvrtool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
  endif()
endforeach()

foreach(module Core Gui Widgets PrintSupport)
  install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
# The plugins by the folder Qt looks for each kind in: the Windows platform (and the headless
# one, for running without a desktop), the native look, and the .ico reader for the icons.
foreach(plugin IN ITEMS platforms|QWindowsIntegrationPlugin platforms|QMinimalIntegrationPlugin
                        styles|QWindowsVistaStylePlugin imageformats|QICOPlugin)
  string(REPLACE "|" ";" plugin ${plugin})
  list(GET plugin 0 folder)
  list(GET plugin 1 name)
  if(TARGET Qt6::${name})
    install(FILES $<TARGET_FILE:Qt6::${name}> DESTINATION ${folder})
  endif()
endforeach()

# The compiler's runtime, which Qt's DLLs need as much as ours.
if(MINGW)
  foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll libssp-0.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "The MinGW runtime's ${dll} was not found (${CMAKE_CXX_COMPILER})")
    endif()
    install(FILES ${path} DESTINATION .)
  endforeach()
else()
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  include(InstallRequiredSystemLibraries)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# A stripped install (`--strip`, and what cpack packs) strips the libraries copied in as well as
# the programs: Qt's and the runtime's arrive with their symbols, several times their size.
if(CMAKE_STRIP)
  install(CODE "set(tavrin_strip \"${CMAKE_STRIP}\")")
  install(CODE [[
    if(CMAKE_INSTALL_DO_STRIP)
      file(GLOB_RECURSE libraries "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
      foreach(library IN LISTS libraries)
        execute_process(COMMAND "${tavrin_strip}" --strip-unneeded "${library}" TIMEOUT 120
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
          message(FATAL_ERROR "Could not strip ${library}")
        endif()
      endforeach()
    endif()
  ]])
endif()
