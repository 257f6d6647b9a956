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

# Embeds the application manifest (cmake/application.manifest: long paths, run as invoked) in a
# program as its resource 1 of type 24 (RT_MANIFEST).
enable_language(RC)
function(rqo_windows_manifest target)
  set(resource ${CMAKE_BINARY_DIR}/manifest/${target}.rc)
  file(WRITE ${resource} "1 24 \"${PROJECT_SOURCE_DIR}/cmake/application.manifest\"\n")
  target_sources(${target} PRIVATE ${resource})
endfunction()
