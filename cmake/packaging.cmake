# Installation and packages, every install rule of the project: the three programs go to
# <prefix>/bin, the README and the bundled example series to the documentation folder. CPack
# makes a .zip and an installer on Windows (the README there is README.txt, written for Windows
# users), a .tar.gz and a .deb on Linux.
# The packages hold the programs only: packing them need not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(GNUInstallDirs)
install(TARGETS read_quavelon_out kestrova tk_expansion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  set(RQO_DOC_DIR .)
else()
  set(RQO_DOC_DIR ${CMAKE_INSTALL_DOCDIR})
endif()
if(WIN32)
  # README.txt with CR LF line ends, from docs/windows_readme.txt.in.
  set(readme_template ${PROJECT_SOURCE_DIR}/docs/windows_readme.txt.in)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme_template})
  file(READ ${readme_template} readme)
  string(CONFIGURE "${readme}" readme @ONLY)
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION ${RQO_DOC_DIR})
else()
  install(FILES README.md DESTINATION ${RQO_DOC_DIR})
endif()
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
  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_SYSTEM_NAME windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_RESOURCE_FILE_README ${CMAKE_BINARY_DIR}/README.txt)
  # The installer (NSIS, Debian package nsis): Program Files\read_quavelon_out, its bin folder
  # put on the user's PATH (the option chosen in cmake/nsis/NSIS.InstallOptions.ini.in, also
  # for a silent installation with /S), an uninstaller registered with Windows. Its page
  # "license" shows README.txt: the programs come with no licence text of their own.
  set(CPACK_PACKAGE_INSTALL_DIRECTORY read_quavelon_out)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY read_quavelon_out)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")  # a 64-bit installer for 64-bit programs
  set(CPACK_NSIS_PACKAGE_NAME "read_quavelon_out ${PROJECT_VERSION}")
  set(CPACK_NSIS_DISPLAY_NAME "read_quavelon_out ${PROJECT_VERSION}")
  set(CPACK_NSIS_MODIFY_PATH ON)
  set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/README.txt)
  set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
  # The installer's name ends in -setup.exe, and it takes no top folder of its own (set per
  # generator when CPack runs).
  file(WRITE ${CMAKE_BINARY_DIR}/cpack_per_generator.cmake
       "if(CPACK_GENERATOR STREQUAL \"NSIS\")\n"
       "  set(CPACK_PACKAGE_FILE_NAME \"\${CPACK_PACKAGE_FILE_NAME}-setup\")\n"
       "  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)\n"
       "endif()\n")
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack_per_generator.cmake)
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
