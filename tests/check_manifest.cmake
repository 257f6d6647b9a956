# Checks that each program in PROGRAMS (separated by "|") carries the application manifest
# with long paths, and sets no active code page of its own (console bytes must not change).
string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  file(STRINGS ${program} long_paths REGEX "<longPathAware[^>]*>true</longPathAware>")
  file(STRINGS ${program} code_page REGEX "activeCodePage")
  if(NOT long_paths)
    message(FATAL_ERROR "${program}: no manifest with longPathAware")
  endif()
  if(code_page)
    message(FATAL_ERROR "${program}: the manifest sets an active code page")
  endif()
endforeach()
