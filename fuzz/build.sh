#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ (or $FUZZ_BUILD_DIR): the top-level build with RQO_FUZZ on, so the targets
# link the same library as the tool.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRQO_FUZZ=ON -DBUILD_TESTING=OFF -DRQO_BENCH=OFF \
  ${FUZZ_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target \
  list_input_fuzz plain_reals_fuzz count_columns_fuzz fixed_point_fuzz scan_log_fuzz run_list_fuzz
