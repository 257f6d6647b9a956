#!/usr/bin/env bash
# Builds the tool and the plotting program, copies the bundled cooling series into a scratch
# folder and starts the tool there. Type the run list name at the prompt (cooling_series.txt).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target read_quavelon_out kestrova tk_expansion
scratch="$(mktemp -d "${TMPDIR:-/tmp}/cooling-series-XXXXXX")"
cp -R "$root/examples/cooling_series/." "$scratch/"
echo "Working folder: $scratch  (run list: cooling_series.txt)"
cd "$scratch"
PATH="$build:$build/tools:$build/tools/tk_expansion:$PATH" exec read_quavelon_out
