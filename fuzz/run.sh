#!/usr/bin/env bash
# Builds the fuzz targets and runs each for the given number of seconds (default 30) on its
# corpus in fuzz/corpus/<target>. New inputs go to a scratch copy, so the committed corpus
# stays small. Fails on the first crash, leak, sanitizer report or timeout; the offending
# input is kept in fuzz/crashes/<target>/.
#
#   bash fuzz/run.sh [seconds] [target...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(list_input plain_reals count_columns fixed_point scan_log run_list)
fi
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
FUZZ_BUILD_DIR="$build" bash "$root/fuzz/build.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for target in "${targets[@]}"; do
  crashes="$root/fuzz/crashes/$target"
  mkdir -p "$crashes" "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  # Inputs as long as they need to be and no longer: a run list of 1 KiB holds some thirty runs,
  # a log of 2 KiB every keyword line and lines past the 256 characters that are kept; a value
  # text is never longer than a kept line.
  case "$target" in
    fixed_point) max_len=6 ;;
    plain_reals) max_len=260 ;;
    run_list) max_len=1024 ;;
    scan_log) max_len=2048 ;;
    *) max_len=4096 ;;
  esac
  dict=()
  [ -f "$root/fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")
  echo "== $target: ${seconds}s"
  if ! "$build/${target}_fuzz" "$work/$target" "${dict[@]}" -max_total_time="$seconds" \
      -max_len="$max_len" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/" \
      >"$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log"
    echo "== $target: FAILED (input kept in $crashes/)"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$work/$target.log" || true
  fi
  rmdir "$crashes" 2>/dev/null || true
done
rmdir "$root/fuzz/crashes" 2>/dev/null || true
exit "$status"
