# Installation and the Debian package.
#
# The layout is the one engine/ResourcePath.cpp searches: the executable in
# bin/ finds its models and font in ../share/vaultrix, so an install under any
# prefix, or a package unpacked anywhere, runs from any working directory.
#   cmake --install build --prefix ~/.local
#   cpack --config build/CPackConfig.cmake   (or: make package)

set(VAULTRIX_DATA_DIR share/vaultrix)

install(TARGETS vaultrix RUNTIME DESTINATION bin)
install(FILES
  ${PROJECT_SOURCE_DIR}/Platformer/portal.obj
  ${PROJECT_SOURCE_DIR}/Platformer/companion.obj
  DESTINATION ${VAULTRIX_DATA_DIR}/Platformer)
install(FILES
  ${PROJECT_SOURCE_DIR}/assets/fonts/DejaVuSansMono.ttf
  ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE
  DESTINATION ${VAULTRIX_DATA_DIR}/assets/fonts)

# The desktop menu entry and its icon. The PNGs are rendered from the SVG:
#   convert -background none -density 96 vaultrix.svg -resize 48x48 PNG32:vaultrix-48.png
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix.svg
  DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vaultrix-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vaultrix.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vaultrix)
set(CPACK_PACKAGE_VENDOR "Vaultrix developers")
set(CPACK_PACKAGE_CONTACT "Vaultrix developers <vaultrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: bounce a sphere up an endless course")
set(CPACK_PACKAGE_DESCRIPTION
  "A white sphere climbs an endless vertical course, bouncing on platforms.\nSteer it with the keyboard and shoot the obstacles with the mouse\nbefore the climbing camera leaves it behind.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/vaultrix")
# dpkg-shlibdeps reads the real library dependencies off the executable.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Mesa gives a machine without a GPU driver its OpenGL.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
