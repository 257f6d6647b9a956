#!/usr/bin/env bash
# Checks that the layers point one way: a file includes project headers only from its own
# folder or from a lower layer. Lowest first: platform (file names, command line) and numerics
# (portable maths), side by side; records; model; extract and output (side by side, neither
# includes the other); driver. The programs in tools/ share the platform layer and the data
# model only. Prints every include that points the wrong way and fails if there is one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

# The folders a file of each folder may include from.
declare -A allowed=(
  [platform]="platform"
  [numerics]="numerics"
  [records]="platform numerics records"
  [model]="platform numerics records model"
  [extract]="platform numerics records model extract"
  [output]="platform numerics records model output"
  [driver]="platform numerics records model extract output driver"
  [tools]="platform model"
)

status=0
check() {
  local file="$1" layer="$2"
  local included folder
  while IFS= read -r included; do
    folder="${included%%/*}"
    [ "$folder" = "$included" ] && continue # a header of the file's own folder
    [ "$layer" = tools ] && [ -d "tools/$folder" ] && continue # a program's own headers
    if [[ " ${allowed[$layer]} " != *" $folder "* ]]; then
      echo "check_layers: $file includes \"$included\": $layer may not include from $folder"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
}

for layer in platform numerics records model extract output driver; do
  [ -d "src/$layer" ] || { echo "check_layers: src/$layer is missing"; status=1; continue; }
  for file in "src/$layer"/*; do check "$file" "$layer"; done
done
for folder in src/*/; do
  name="$(basename "$folder")"
  [ -n "${allowed[$name]+x}" ] && [ "$name" != tools ] || {
    echo "check_layers: src/$name is not a known layer"
    status=1
  }
done
while IFS= read -r file; do check "$file" tools; done < <(find tools -name '*.cpp' -o -name '*.hpp')

[ "$status" -eq 0 ] && echo "check_layers: every include points down"
exit "$status"
