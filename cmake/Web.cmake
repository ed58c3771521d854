# The browser build (emcmake cmake): the same engine and game, on the web
# backend, as index.html + vaultrix.js/.wasm/.data. Self-contained, so the
# desktop's logic stays as it is. The language, build type and warnings
# come from CMakeLists.txt, which includes this before finding SFML.

# Debian's headers are reached through a folder of our own, never through
# the whole of /usr/include; our SFML/Config.hpp comes first, as SFML's own
# refuses emcc.
set(WEB_INCLUDE ${CMAKE_BINARY_DIR}/include)
file(MAKE_DIRECTORY ${WEB_INCLUDE}/SFML/Window ${WEB_INCLUDE}/SFML/System)
foreach(header Window/Keyboard.hpp Window/Mouse.hpp Window/Joystick.hpp Window/Export.hpp
    System/Vector2.hpp System/Vector2.inl System/Export.hpp System/String.hpp System/String.inl
    System/Utf.hpp System/Utf.inl)
  file(CREATE_LINK /usr/include/SFML/${header} ${WEB_INCLUDE}/SFML/${header} SYMBOLIC)
endforeach()
file(CREATE_LINK ${PROJECT_SOURCE_DIR}/engine/platform/web/include/SFML/Config.hpp ${WEB_INCLUDE}/SFML/Config.hpp SYMBOLIC)
file(CREATE_LINK /usr/include/glm ${WEB_INCLUDE}/glm SYMBOLIC)
file(CREATE_LINK /usr/include/stb ${WEB_INCLUDE}/stb SYMBOLIC)
file(CREATE_LINK /usr/include/tiny_obj_loader.h ${WEB_INCLUDE}/tiny_obj_loader.h SYMBOLIC)

file(GLOB WEB_ENGINE_SOURCES CONFIGURE_DEPENDS ${ENGINE_MODULE_SOURCES}
  ${PROJECT_SOURCE_DIR}/engine/platform/*.cpp ${PROJECT_SOURCE_DIR}/engine/platform/headless/*.cpp
  ${PROJECT_SOURCE_DIR}/engine/platform/web/*.cpp ${PROJECT_SOURCE_DIR}/engine/app/web/*.cpp)
file(GLOB WEB_GAME_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/objects/*.cpp ${PROJECT_SOURCE_DIR}/level/*.cpp
  ${PROJECT_SOURCE_DIR}/game/*.cpp ${PROJECT_SOURCE_DIR}/app/*.cpp)

add_executable(vaultrix ${WEB_ENGINE_SOURCES} ${WEB_GAME_SOURCES})
# Debian's headers are not ours to keep free of warnings.
target_include_directories(vaultrix SYSTEM BEFORE PRIVATE ${WEB_INCLUDE})
target_include_directories(vaultrix PRIVATE ${PROJECT_SOURCE_DIR})
# The font is the game's own copy, preloaded beside the models.
target_compile_definitions(vaultrix PRIVATE VAULTRIX_VERSION="${PROJECT_VERSION}" VAULTRIX_SYSTEM_FONT="")
set_target_properties(vaultrix PROPERTIES SUFFIX ".js")
target_link_options(vaultrix PRIVATE
  -sUSE_WEBGL2=1 -sMAX_WEBGL_VERSION=2 -sMIN_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=['_main','_reeng_step','_reeng_finish','_reeng_presented','_reeng_touch_key','_vaultrix_legend']"
  "-sEXPORTED_RUNTIME_METHODS=['FS','addRunDependency','removeRunDependency','ccall','UTF8ToString']"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/Platformer/portal.obj@Platformer/portal.obj"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/Platformer/companion.obj@Platformer/companion.obj"
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/assets/fonts/DejaVuSansMono.ttf@assets/fonts/DejaVuSansMono.ttf")

# Our own page beside the build (emcc's HTML minifier breaks at -O1 and up),
# copied again whenever it changes, not only when the game is linked.
set(WEB_PAGE_FILES index.html vaultrix-page.js manifest.webmanifest)
set(WEB_PAGE_COPIES)
foreach(file ${WEB_PAGE_FILES})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/app/web/${file} ${CMAKE_BINARY_DIR}/${file}
    DEPENDS ${PROJECT_SOURCE_DIR}/app/web/${file})
  list(APPEND WEB_PAGE_COPIES ${CMAKE_BINARY_DIR}/${file})
endforeach()
# The service worker's cache is named with the version, so that a new
# version's files replace the old ones on the next visit.
configure_file(${PROJECT_SOURCE_DIR}/app/web/sw.js ${CMAKE_BINARY_DIR}/sw.js @ONLY)
# The installed page's icons, from the game's own.
find_program(CONVERT_PROGRAM convert)
if(NOT CONVERT_PROGRAM)
  message(FATAL_ERROR "the web page's icons need ImageMagick's convert")
endif()
foreach(size 192 512)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icon-${size}.png
    COMMAND ${CONVERT_PROGRAM} ${PROJECT_SOURCE_DIR}/packaging/vaultrix-256.png -resize ${size}x${size}
      -strip PNG32:${CMAKE_BINARY_DIR}/icon-${size}.png
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/vaultrix-256.png)
  list(APPEND WEB_PAGE_COPIES ${CMAKE_BINARY_DIR}/icon-${size}.png)
endforeach()
add_custom_target(vaultrix-page ALL DEPENDS ${WEB_PAGE_COPIES})
