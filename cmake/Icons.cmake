# The icons of the programs and of their file types. The SVGs in data/icons are the only source;
# the fixed sizes that menus and file managers prefer are rendered from them at build time, so a
# changed drawing can never leave stale pictures behind. cmake/Install.cmake installs them.

# The desktop programs, by their application id (the names of their desktop entries, icons and
# AppStream files).
set(TAVRIN_DESKTOP_APPS org.tavrin.Tavrin org.tavrin.Quelda)
# The icons of the two configuration file kinds, named after their MIME types.
set(TAVRIN_FILE_ICONS application-x-tavrin-config application-x-quelda-config)
set(TAVRIN_ICON_SIZES 16 32 48 64 128 256)
# The icons by the hicolor theme's context they go in.
set(TAVRIN_ICONS_apps ${TAVRIN_DESKTOP_APPS})
set(TAVRIN_ICONS_mimetypes ${TAVRIN_FILE_ICONS})
# Where the rendered pictures go, as hicolor lays them out: SIZExSIZE/CONTEXT/NAME.png.
set(TAVRIN_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): only the scalable icons "
                  "will be installed, without the fixed sizes that menus and file managers prefer.")
  return()
endif()
set(rendered_icons)
foreach(context IN ITEMS apps mimetypes)
  foreach(name IN LISTS TAVRIN_ICONS_${context})
    set(svg ${PROJECT_SOURCE_DIR}/data/icons/${name}.svg)
    foreach(size IN LISTS TAVRIN_ICON_SIZES)
      set(png_dir ${TAVRIN_ICON_DIR}/${size}x${size}/${context})
      set(png ${png_dir}/${name}.png)
      file(MAKE_DIRECTORY ${png_dir})
      add_custom_command(
        OUTPUT ${png}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${svg}
        DEPENDS ${svg}
        COMMENT "Rendering ${name} at ${size} pixels"
        VERBATIM)
      list(APPEND rendered_icons ${png})
    endforeach()
  endforeach()
endforeach()
add_custom_target(icons ALL DEPENDS ${rendered_icons})
