# Installation and packages, every install rule of the project: the three programs go to
# <prefix>/bin, the README and the bundled example series to the documentation folder. CPack
# makes a .zip on Windows, a .tar.gz and a .deb on Linux.
# The packages hold the programs only: packing them need not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(GNUInstallDirs)
install(TARGETS read_quavelon_out kestrova tk_expansion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  set(RQO_DOC_DIR .)
else()
  set(RQO_DOC_DIR ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES README.md DESTINATION ${RQO_DOC_DIR})
install(DIRECTORY examples/cooling_series DESTINATION ${RQO_DOC_DIR}/examples
        PATTERN ".gitignore" EXCLUDE
        PATTERN "TK_*.pgf" EXCLUDE PATTERN "TK_*.png" EXCLUDE
        PATTERN "TK_parameters_quavelon_out.xy" EXCLUDE)

set(CPACK_PACKAGE_NAME read_quavelon_out)
set(CPACK_PACKAGE_VENDOR "read_quavelon_out developers")
set(CPACK_PACKAGE_CONTACT "read_quavelon_out developers <read_quavelon_out@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Cell parameters, volumes, mosaicity and chi-square against temperature from diffraction logs")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_SYSTEM_NAME linux-x86_64)
  set(CPACK_DEBIAN_PACKAGE_NAME read-quavelon-out)  # Debian names take no underscore
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS gnuplot-nox)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
include(CPack)
