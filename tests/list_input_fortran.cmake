# A reference reader for the differential test of list-directed input, built only when a
# Fortran compiler is at hand (the test is skipped otherwise).
include(CheckLanguage)
check_language(Fortran)
if(CMAKE_Fortran_COMPILER)
  enable_language(Fortran)
  add_executable(list_input_reference ${CMAKE_CURRENT_SOURCE_DIR}/records/list_input_reference.f90)
  add_dependencies(quavelon_tests list_input_reference)
  target_compile_definitions(quavelon_tests PRIVATE
    RQO_LIST_INPUT_REFERENCE="$<TARGET_FILE:list_input_reference>")
endif()
