#!/usr/bin/env bash
# Opt-in: checks the portable cosine and arc cosine of the cell arithmetic over every float
# argument (each float as degrees, turned into radians both ways the cell arithmetic does, and
# each float from -1 to 1 as a cosine) against the GNU C library, after the rounding to single
# precision that the callers make. About half an hour on two cores.
#
#   scripts/check_portable_math.sh [first last]        float bit patterns in hex (default: all)
#   WINDOWS=1 scripts/check_portable_math.sh [...]     also compares a digest of the Windows
#                                                      build's results (under wine) with Linux's
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
range=("${1:-0}" "${2:-ffffffff}")
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target portable_math_check >/dev/null
checker="$(find "$build" -name portable_math_check -type f | head -1)"
"$checker" "${range[@]}"
if [ "${WINDOWS:-0}" = 1 ]; then
  windows_build="${WINDOWS_BUILD_DIR:-$root/build-windows}"
  [ -x "$windows_build/run_under_wine.sh" ] || bash "$root/scripts/build_windows.sh" >/dev/null
  cmake -S "$root" -B "$windows_build" >/dev/null
  cmake --build "$windows_build" -j"$(nproc)" --target portable_math_check >/dev/null
  linux_digest="$("$checker" --digest "${range[@]}")"
  windows_digest="$("$windows_build/run_under_wine.sh" \
    "$(find "$windows_build" -name portable_math_check.exe | head -1)" --digest "${range[@]}" |
    tr -d '\r')"
  echo "Linux:   $linux_digest"
  echo "Windows: $windows_digest"
  [ "$linux_digest" = "$windows_digest" ] || { echo "the digests differ"; exit 1; }
fi
