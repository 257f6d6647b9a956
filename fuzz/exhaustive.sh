#!/usr/bin/env bash
# Opt-in: renders all 2^32 single-precision bit patterns under F12.5 and F15.3 with the
# production renderer and with the exact reference, on two threads. Takes about half an hour
# on two cores. Extra arguments go to the checker: [first last [threads]] (hex patterns).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${EXHAUSTIVE_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target exhaustive_fixed_point >/dev/null
exec "$build/exhaustive_fixed_point" "$@"
