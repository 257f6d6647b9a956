# Windows builds: Windows 7 API level, and, when cross-built, tests that run under wine with a
# wine prefix of their own inside the build folder, headless.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(RQO_WINE NAMES wine)
  find_program(RQO_WINESERVER NAMES wineserver)
  if(RQO_WINE AND RQO_WINESERVER)
    set(RQO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/run_under_wine.sh.in
                   ${CMAKE_BINARY_DIR}/run_under_wine.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/run_under_wine.sh)
  endif()
endif()
