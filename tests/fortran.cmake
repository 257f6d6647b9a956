# The Fortran reference programs of the differential tests (fixed-point output, list-directed
# input), built only when a Fortran compiler is at hand; the tests are skipped otherwise.
include(CheckLanguage)
check_language(Fortran)
if(CMAKE_Fortran_COMPILER)
  enable_language(Fortran)
  add_executable(fixed_point_reference ${CMAKE_CURRENT_SOURCE_DIR}/records/fixed_point_reference.f90)
  target_compile_options(fixed_point_reference PRIVATE -O1 -fno-sign-zero)
  add_executable(list_input_reference ${CMAKE_CURRENT_SOURCE_DIR}/records/list_input_reference.f90)
  add_dependencies(quavelon_tests fixed_point_reference list_input_reference)
  target_compile_definitions(quavelon_tests PRIVATE
    RQO_FORTRAN_FIXED_REFERENCE="$<TARGET_FILE:fixed_point_reference>"
    RQO_LIST_INPUT_REFERENCE="$<TARGET_FILE:list_input_reference>")
endif()
