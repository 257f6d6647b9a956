#!/usr/bin/env bash
# Cross-builds the native 64-bit Windows executables (read_quavelon_out.exe, kestrova.exe,
# tk_expansion.exe, statically linked) into build-windows/ with mingw-w64 and packs them with
# README.txt and the bundled example series into
# build-windows/read_quavelon_out-<version>-windows-x86_64.zip and the installer
# build-windows/read_quavelon_out-<version>-windows-x86_64-setup.exe (NSIS). Installs
# mingw-w64, NSIS and wine (to run the tests) when they are missing. BUILD_DIR overrides the
# folder; extra arguments go to the configure step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh" cmake make g++-mingw-w64-x86-64-posix wine wine64 googletest \
  libeigen3-dev libcli11-dev nsis
build="${BUILD_DIR:-$root/build-windows}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DRQO_BENCH=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" --target read_quavelon_out kestrova tk_expansion
(cd "$build" && cpack -G "ZIP;NSIS" >/dev/null)
ls -l "$build"/read_quavelon_out-*-windows-x86_64.zip "$build"/read_quavelon_out-*-windows-x86_64-setup.exe
