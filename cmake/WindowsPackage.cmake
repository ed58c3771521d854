# The Windows release: one folder, zipped, that runs where it is unpacked.
# The exe finds its models and font beside itself (engine/io/ResourcePath.cpp).
#   cpack --config build-windows/CPackConfig.cmake   (or: make windows)
install(TARGETS vaultrix RUNTIME DESTINATION .)
install(FILES
  ${PROJECT_SOURCE_DIR}/Platformer/portal.obj
  ${PROJECT_SOURCE_DIR}/Platformer/companion.obj
  DESTINATION Platformer)
install(FILES
  ${PROJECT_SOURCE_DIR}/assets/fonts/DejaVuSansMono.ttf
  ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE
  DESTINATION assets/fonts)
install(FILES ${PROJECT_SOURCE_DIR}/assets/icon.png DESTINATION assets)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/README-windows.txt DESTINATION . RENAME README.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vaultrix)
set(CPACK_PACKAGE_VENDOR "Vaultrix developers")
set(CPACK_PACKAGE_FILE_NAME vaultrix-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
