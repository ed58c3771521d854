# Installation and the Debian package.
#
# Two layouts, both of which engine/io/ResourcePath.cpp finds from the
# executable's own place, so either runs from any working directory and
# after the prefix has moved:
#   default                bin/vaultrix, share/vaultrix/, our copy of the font
#   VAULTRIX_DEBIAN_LAYOUT games/vaultrix, share/games/vaultrix/, and the
#                          system's font (the package depends on
#                          fonts-dejavu-core instead of shipping a duplicate)
#   cmake --install build --prefix ~/.local
#   scripts/package.sh     (make package: the .deb, in the Debian layout)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
  return()
endif()

option(VAULTRIX_DEBIAN_LAYOUT "Install as the Debian package does: games/, share/games/vaultrix, the system's font" OFF)
# Where docs/*.png are published, for the software centres; we have no such
# place yet, and the metainfo leaves its screenshots out until there is one.
set(VAULTRIX_SCREENSHOT_URL "" CACHE STRING "Web address of the folder that holds title.png, playing.png and gameover.png")
# Reverse-DNS in the form AppStream gives projects without a domain of their own.
set(VAULTRIX_APPSTREAM_ID io.github.vaultrix.vaultrix)

if(VAULTRIX_DEBIAN_LAYOUT)
  set(VAULTRIX_BIN_DIR games)
  set(VAULTRIX_DATA_DIR share/games/vaultrix)
else()
  set(VAULTRIX_BIN_DIR bin)
  set(VAULTRIX_DATA_DIR share/vaultrix)
endif()

install(TARGETS vaultrix RUNTIME DESTINATION ${VAULTRIX_BIN_DIR})
install(FILES
  ${PROJECT_SOURCE_DIR}/Platformer/portal.obj
  ${PROJECT_SOURCE_DIR}/Platformer/companion.obj
  DESTINATION ${VAULTRIX_DATA_DIR}/Platformer)
if(NOT VAULTRIX_DEBIAN_LAYOUT)
  install(FILES
    ${PROJECT_SOURCE_DIR}/assets/fonts/DejaVuSansMono.ttf
    ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE
    DESTINATION ${VAULTRIX_DATA_DIR}/assets/fonts)
endif()

# The desktop menu entry and its icon. The PNGs are rendered from the SVG:
#   convert -background none -density 96 vaultrix.svg -resize 48x48 PNG32:vaultrix-48.png
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix.svg
  DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vaultrix.png)
endforeach()

# The software centres' entry.
set(VAULTRIX_SCREENSHOTS "")
if(VAULTRIX_SCREENSHOT_URL)
  string(REGEX REPLACE "/$" "" url "${VAULTRIX_SCREENSHOT_URL}")
  string(CONCAT VAULTRIX_SCREENSHOTS
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>A frame of play: the sphere, platforms, obstacles and a bullet</caption>\n"
    "      <image>${url}/playing.png</image>\n"
    "    </screenshot>\n"
    "    <screenshot>\n      <caption>The title screen</caption>\n      <image>${url}/title.png</image>\n    </screenshot>\n"
    "    <screenshot>\n      <caption>The Game Over screen with the score</caption>\n      <image>${url}/gameover.png</image>\n    </screenshot>\n"
    "  </screenshots>\n")
endif()
set(VAULTRIX_METAINFO ${PROJECT_BINARY_DIR}/${VAULTRIX_APPSTREAM_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/vaultrix.metainfo.xml.in ${VAULTRIX_METAINFO} @ONLY)
install(FILES ${VAULTRIX_METAINFO} DESTINATION share/metainfo)

# The manual page and the changelog, compressed as Debian wants them: -n
# keeps the name and time out, so every build gives the same bytes.
set(VAULTRIX_GZ_FILES "")
foreach(file vaultrix.6 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${file}.gz
    COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${PROJECT_SOURCE_DIR}/packaging/${file} ${PROJECT_BINARY_DIR}/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file} VERBATIM)
  list(APPEND VAULTRIX_GZ_FILES ${PROJECT_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(vaultrix_docs ALL DEPENDS ${VAULTRIX_GZ_FILES})
install(FILES ${PROJECT_BINARY_DIR}/vaultrix.6.gz DESTINATION share/man/man6)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
  DESTINATION share/doc/vaultrix)
if(VAULTRIX_DEBIAN_LAYOUT)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
    DESTINATION share/lintian/overrides RENAME vaultrix)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vaultrix)
set(CPACK_PACKAGE_VENDOR "The Vaultrix developers")
set(CPACK_PACKAGE_CONTACT "The Vaultrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: bounce a sphere up an endless course")
set(CPACK_PACKAGE_DESCRIPTION
  "A white sphere climbs an endless vertical course, bouncing on platforms.\nSteer it with the keyboard and shoot the obstacles with the mouse\nbefore the climbing camera leaves it behind.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps reads the library dependencies off the executable; the font
# is the one thing it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# Mesa gives a machine without a GPU driver its OpenGL.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
