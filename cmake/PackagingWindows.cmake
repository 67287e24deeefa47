# SPDX-License-Identifier: MIT
# On Windows `cpack` makes an installer (NSIS) and a zip of the folder cmake/InstallWindows.cmake
# fills. The installer shows the licence, puts both programs in the Start menu, opens .tvr and
# .qld files in them, and leaves an uninstaller that takes all of it away again.
set(CPACK_GENERATOR NSIS ZIP)
# The values below reach the installer's script as written (backslashes, quotes, dollars).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
# A 64-bit installer for 64-bit programs, which installs where 64-bit programs go and needs no
# 32-bit layer to run.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavrin)
set(CPACK_NSIS_PACKAGE_NAME "Tavrin and Quelda")
set(CPACK_NSIS_DISPLAY_NAME "Tavrin and Quelda ${PROJECT_VERSION}")
set(CPACK_NSIS_PUBLISHER "${CPACK_PACKAGE_VENDOR}")
# The Start-menu entries: program, then the entry's name. The programs sit at the folder's top.
set(CPACK_PACKAGE_EXECUTABLES tavrin Tavrin quelda Quelda)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME tavrin.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
if(TAVRIN_WINDOWS_ICONS)
  set(CPACK_NSIS_MUI_ICON ${TAVRIN_WINDOWS_ICON_DIR}/org.tavrin.Tavrin.ico)
  set(CPACK_NSIS_MUI_UNIICON ${TAVRIN_WINDOWS_ICON_DIR}/org.tavrin.Tavrin.ico)
endif()

# The file types, named as the desktop's MIME database names them. Each opens in its program,
# with the program's second icon (its file type's). Uninstalling removes an extension only while
# it is still ours.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/mime/tavrin.xml comments REGEX "<comment>")
list(TRANSFORM comments REPLACE ".*<comment>(.*)</comment>.*" "\\1")
list(GET comments 0 tvr_comment)
list(GET comments 1 qld_comment)
set(install_commands "")
set(uninstall_commands "")
foreach(type IN ITEMS "tvr|tavrin|Tavrin.Layout|${tvr_comment}"
                      "qld|quelda|Quelda.Layout|${qld_comment}")
  string(REPLACE "|" ";" type "${type}")
  list(GET type 0 extension)
  list(GET type 1 program)
  list(GET type 2 id)
  list(GET type 3 comment)
  set(classes "Software\\Classes")
  string(APPEND install_commands
    "WriteRegStr SHCTX '${classes}\\.${extension}' '' '${id}'\n"
    "WriteRegStr SHCTX '${classes}\\${id}' '' '${comment}'\n"
    "WriteRegStr SHCTX '${classes}\\${id}\\DefaultIcon' '' '$INSTDIR\\${program}.exe,1'\n"
    "WriteRegStr SHCTX '${classes}\\${id}\\shell\\open\\command' '' "
    "'\"$INSTDIR\\${program}.exe\" \"%1\"'\n")
  string(APPEND uninstall_commands
    "ReadRegStr $0 SHCTX '${classes}\\.${extension}' ''\n"
    "StrCmp $0 '${id}' 0 +2\n"
    "DeleteRegKey SHCTX '${classes}\\.${extension}'\n"
    "DeleteRegKey SHCTX '${classes}\\${id}'\n")
endforeach()
# Explorer picks up the new and the removed file types at once.
set(notify "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'\n")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "${install_commands}${notify}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "${uninstall_commands}${notify}")

include(CPack)
