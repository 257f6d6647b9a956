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

# Holds one server for the whole run; the build's wrapper then starts wine's background
# programs without standard streams (they would hold ctest's pipes open, or those of a test
# program that the build lists, which then times out) and makes the prefix on first use.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
"$build/run_under_wine.sh" cmd /c exit 0 </dev/null >/dev/null 2>&1
cmake --build "$build" -j"$jobs"
if ! ctest --test-dir "$build" --output-on-failure -j"$jobs" "$@"; then
  # A test that failed because wine itself did (its own error in the test's output, not the
  # test's verdict) is run once more; any other failure, or a second one, fails the run.
  wine_error='wine client error|Inconsistency detected by ld\.so|recvmsg: Connection reset|wine: could not'
  retried=()
  while IFS=: read -r _ name; do
    if awk -v name="$name" '
        index($0, " Testing: ") && substr($0, index($0, " Testing: ") + 10) == name { inside = 1 }
        index($0, "\"" name "\" end time") == 1 { inside = 0 }
        inside' "$build/Testing/Temporary/LastTest.log" | grep -Eq "$wine_error"; then
      retried+=("$name")
    else
      echo "test_windows: $name failed" >&2
      exit 1
    fi
  done <"$build/Testing/Temporary/LastTestsFailed.log"
  [ "${#retried[@]}" -gt 0 ] || exit 1
  echo "test_windows: wine itself failed in ${retried[*]}; run once more" >&2
  ctest --test-dir "$build" --output-on-failure --rerun-failed
fi
if [ "$#" -eq 0 ] && [ -x "${LINUX_BUILD:-$root/build}/read_quavelon_out" ]; then
  WINDOWS_BUILD="$build" bash "$root/scripts/compare_windows_outputs.sh"
fi
