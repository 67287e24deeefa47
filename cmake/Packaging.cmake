# SPDX-License-Identifier: MIT
# `cpack -G DEB` makes one Debian package of everything `cmake --install` puts in place; on
# Windows, `cpack` makes an installer and a zip of it instead.
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR "The Tavrin and Quelda developers")
set(CPACK_PACKAGE_CONTACT "The Tavrin and Quelda developers <developers@tavrin.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration tools for a programmable point-of-sale keyboard")
# The binaries carry debug information in the usual build; the package does without it.
set(CPACK_STRIP_FILES ON)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavrin.invalid/)
# The long description under the summary line; CPack indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavrin edits the keyboard's 84 programmable keys (label, face colour, key-code
sequence, merged keys), saves and loads layouts as .tvr files, views and prints
them, and programs the keys into the keyboard. Quelda does the same for the
keyboard's 7-position key lock, with .qld files.")
# The package's dependencies come from the shared libraries the binaries actually use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The menu, the file types and the icon caches are refreshed by those packages' own triggers
# when our files arrive or leave, so the package needs no scripts and leaves nothing behind.
# IPA's Gothic draws Japanese labels and dialogs where no other Japanese face is installed; Qt's
# own translations put the toolkit's dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, hicolor-icon-theme, desktop-file-utils, \
fonts-ipafont-gothic, qt6-translations-l10n")

include(CPack)
