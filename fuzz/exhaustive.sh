#!/usr/bin/env bash
# Opt-in: renders all 2^32 single-precision bit patterns under F12.5 and F15.3 with the
# production renderer and with the exact reference, on two threads. Takes about half an hour
# on two cores. Extra arguments go to the checker: [first last [threads]] (hex patterns).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
FUZZ_BUILD_DIR="$build" bash "$root/fuzz/build.sh" >/dev/null
exec "$build/exhaustive_fixed_point" "$@"
