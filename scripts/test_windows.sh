#!/usr/bin/env bash
# Runs the Windows build's test suite under wine (after scripts/build_windows.sh), then compares
# its outputs with the Linux build's when that exists. One wine server is held up for the whole
# run and stopped at the end, also on failure: programs that start while wine's server is
# shutting down would lose their connection. BUILD_DIR overrides the folder (build-windows);
# arguments go to ctest (for instance -R Kestrova).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-windows}"
jobs="${JOBS:-$(nproc)}"
export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all

cmake --build "$build" -j"$jobs"
# Holds one server for the whole run; the build's wrapper then starts wine's background
# programs without standard streams (they would hold ctest's pipes open) and makes the prefix on
# first use.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
"$build/run_under_wine.sh" cmd /c exit 0 </dev/null >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j"$jobs" "$@"
if [ "$#" -eq 0 ] && [ -x "${LINUX_BUILD:-$root/build}/read_quavelon_out" ]; then
  WINDOWS_BUILD="$build" bash "$root/scripts/compare_windows_outputs.sh"
fi
