#!/usr/bin/env bash
# The bundled cooling series through the tool and tk_expansion in a scratch folder, its report
# written by kestrova and checked in headless Chromium (report_in_browser.js).
#   report_in_browser.sh READ_QUAVELON_OUT KESTROVA TK_EXPANSION [SCREENSHOT_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tool="$(realpath "$1")" kestrova="$(realpath "$2")" expansion="$(realpath "$3")"
shots="${4:+$(realpath -m "$4")}"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/report-browser-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
cp -R "$root/examples/cooling_series/." "$scratch/"
cd "$scratch"
printf 'cooling_series.txt\nn\nn\nn\nn\nn\nn\nn\nn\nn\n' | "$tool" >/dev/null
"$expansion" >/dev/null
[ -f TK_expansion_tensor.tsv ] || { echo "report_in_browser: tk_expansion wrote no tensor" >&2; exit 1; }
"$kestrova" --report >/dev/null
NODE_PATH="$root/node_modules" node "$root/tests/browser/report_in_browser.js" "$scratch" $shots
