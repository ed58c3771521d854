# The Windows exe under Wine, through tests/lib/wine-game.sh, which the
# shell tests take as the game: the headless runs, bad options, the golden
# replays with the digests recorded on Linux, the title screen and a game
# played with the keyboard and mouse in a window, and the zip.
find_program(WINE wine REQUIRED)
set(VAULTRIX_WINE_ENV
  VAULTRIX_WINE_EXE=$<TARGET_FILE:vaultrix>
  WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix)
set(wine_game ${CMAKE_CURRENT_SOURCE_DIR}/lib/wine-game.sh)

# Making the Wine prefix takes a while, so it is done once, before the runs.
add_test(NAME wine.prefix COMMAND ${wine_game} --make-prefix)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

foreach(script cli/headless_run cli/bad_input cli/replays window/title window/play)
  get_filename_component(name ${script} NAME)
  add_test(NAME wine.${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${script}.sh ${wine_game})
  set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300
    ENVIRONMENT "${VAULTRIX_WINE_ENV}")
endforeach()
# The zip that make windows leaves beside the exe.
add_test(NAME wine.zip COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine/zip.sh
  $<TARGET_FILE_DIR:vaultrix>/vaultrix-${PROJECT_VERSION}-windows-x64.zip)
set_tests_properties(wine.zip PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300)
set_tests_properties(wine.prefix wine.zip PROPERTIES ENVIRONMENT "${VAULTRIX_WINE_ENV}")
