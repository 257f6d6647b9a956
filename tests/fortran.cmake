# Builds the Fortran reference for the fixed-point differential test when gfortran exists.
# The test is skipped otherwise.
find_program(RQO_GFORTRAN gfortran)
if(RQO_GFORTRAN)
  set(RQO_FIXED_REFERENCE ${CMAKE_CURRENT_BINARY_DIR}/fixed_point_reference)
  set(RQO_FIXED_REFERENCE_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/records/fixed_point_reference.f90)
  add_custom_command(
    OUTPUT ${RQO_FIXED_REFERENCE}
    COMMAND ${RQO_GFORTRAN} -O1 -fno-sign-zero -o ${RQO_FIXED_REFERENCE}
            ${RQO_FIXED_REFERENCE_SOURCE}
    DEPENDS ${RQO_FIXED_REFERENCE_SOURCE}
    COMMENT "Building the Fortran fixed-point reference"
    VERBATIM)
  add_custom_target(fixed_point_reference DEPENDS ${RQO_FIXED_REFERENCE})
  add_dependencies(quavelon_tests fixed_point_reference)
  target_compile_definitions(quavelon_tests PRIVATE
    RQO_FORTRAN_FIXED_REFERENCE="${RQO_FIXED_REFERENCE}")
endif()
