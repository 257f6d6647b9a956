# Cross-builds native 64-bit Windows executables with mingw-w64 (the POSIX threads variant,
# which has std::thread), linked statically so that each .exe stands alone. Tests run under
# wine through the wrapper that windows.cmake writes into the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RQO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RQO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RQO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RQO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RQO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Header-only packages of the build machine (Eigen) serve the target as they are.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
