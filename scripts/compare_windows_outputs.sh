#!/usr/bin/env bash
# Runs the Linux build and the Windows build (under wine) of read_quavelon_out on the bundled
# cooling series and on the worked example, and compares the table, the nine plot files, the
# console and kestrova's report of the folder byte for byte (the Windows console's CR LF line
# ends taken as LF). Both builds must exist: build/ (scripts/test.sh) and build-windows/
# (scripts/build_windows.sh), or LINUX_BUILD and WINDOWS_BUILD.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
linux="${LINUX_BUILD:-$root/build}/read_quavelon_out"
linux_kestrova="${LINUX_BUILD:-$root/build}/tools/kestrova"
windows_build="${WINDOWS_BUILD:-$root/build-windows}"
windows="$windows_build/read_quavelon_out.exe"
windows_kestrova="$windows_build/tools/kestrova.exe"
wine_run="$windows_build/run_under_wine.sh"
outputs=(TK_parameters_quavelon_out.xy TK_cell_a.pgf TK_cell_b.pgf TK_cell_c.pgf
  TK_cell_alpha.pgf TK_cell_beta.pgf TK_cell_gamma.pgf TK_volume.pgf TK_mosaicity.pgf TK_chi2.pgf)
answers="$(printf 'n\n%.0s' {1..9})"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/rqo-compare-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

status=0
compare() { # name, folder with the inputs, run list
  local name="$1" inputs="$2" list="$3"
  for platform in linux windows; do
    mkdir -p "$scratch/$name/$platform"
    find "$inputs" -maxdepth 1 -type f -exec cp {} "$scratch/$name/$platform/" \;
  done
  (cd "$scratch/$name/linux" && printf '%s\n%s\n' "$list" "$answers" | "$linux" >console 2>&1)
  (cd "$scratch/$name/windows" &&
    printf '%s\n%s\n' "$list" "$answers" | "$wine_run" "$windows" >console.crlf 2>&1)
  sed 's/\r$//' "$scratch/$name/windows/console.crlf" >"$scratch/$name/windows/console"
  # The report of the folder, from the same files.
  (cd "$scratch/$name/linux" && "$linux_kestrova" --report >/dev/null)
  (cd "$scratch/$name/windows" && "$wine_run" "$windows_kestrova" --report >/dev/null)
  local differ=0
  for file in "${outputs[@]}" console TK_report.html; do
    if ! cmp -s "$scratch/$name/linux/$file" "$scratch/$name/windows/$file"; then
      echo "compare_windows_outputs: $name: $file differs between the Linux and the Windows build"
      differ=1
      status=1
    fi
  done
  [ "$differ" -eq 0 ] && echo "compare_windows_outputs: $name: the table, the nine plot files," \
    "the console and kestrova's report are the same bytes from both builds"
  return 0
}

compare cooling_series "$root/examples/cooling_series" cooling_series.txt
compare worked_example "$root/tests/data/output_worked_example" runs.txt
exit "$status"
