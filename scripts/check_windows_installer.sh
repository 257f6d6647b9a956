#!/usr/bin/env bash
# Checks the Windows installer (after scripts/build_windows.sh) under wine, in a wine prefix of
# its own (the test suite's prefix keeps its PATH): a silent installation (/S), the installed
# files, the bin folder on the user's PATH (HKCU\Environment) and the uninstaller registered,
# the installed tool on a copy of the bundled example started by its name through that PATH
# (the table compared with the Linux build's when that exists), then a silent uninstallation
# that takes the programs and the PATH entry away. BUILD_DIR overrides the build folder
# (build-windows); LINUX_BUILD the Linux build folder (build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-windows}"
setup="$(ls "$build"/read_quavelon_out-*-windows-x86_64-setup.exe)"
export WINEPREFIX="$build/wine-installer-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts for Mono or Gecko in a fresh prefix

fail() {
  echo "check_windows_installer: $*" >&2
  exit 1
}

rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wineserver -w
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

echo "installer: $(basename "$setup"), $(stat -c %s "$setup") bytes"
wine "$setup" /S >/dev/null 2>&1

folder="$WINEPREFIX/drive_c/Program Files/read_quavelon_out"
for file in bin/read_quavelon_out.exe bin/kestrova.exe bin/tk_expansion.exe README.txt \
  examples/cooling_series/cooling_series.txt examples/cooling_series/TK_quavelon_300K.out \
  Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "not installed: $file"
done
head -c 200 "$folder/README.txt" | grep -q $'\r$' || fail "README.txt has no CR LF line ends"

bin='C:\Program Files\read_quavelon_out\bin'
user_path="$(wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | tr -d '\r')"
grep -qF "$bin" <<<"$user_path" || fail "the user's PATH lacks $bin: $user_path"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\read_quavelon_out' \
  /reg:32 >/dev/null 2>&1 || wine reg query \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\read_quavelon_out' >/dev/null 2>&1 ||
  fail "no uninstaller registered"

# The installed tool, found through the PATH the installer set, on a copy of the example.
work="$(mktemp -d)"
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
cp -r "$folder/examples/cooling_series/." "$work/"
(cd "$work" && wine cmd /c "read_quavelon_out cooling_series.txt --plots none" \
  >"$work/console.txt" 2>&1) || fail "the installed tool failed: $(cat "$work/console.txt")"
[ -s "$work/TK_parameters_quavelon_out.xy" ] || fail "the installed tool wrote no table"
linux_build="${LINUX_BUILD:-$root/build}"
if [ -x "$linux_build/read_quavelon_out" ]; then
  reference="$(mktemp -d)"
  cp -r "$root/examples/cooling_series/." "$reference/"
  (cd "$reference" && "$linux_build/read_quavelon_out" cooling_series.txt --plots none >/dev/null)
  cmp "$reference/TK_parameters_quavelon_out.xy" "$work/TK_parameters_quavelon_out.xy" ||
    fail "the installed tool's table differs from Linux's"
  rm -rf "$reference"
fi

# The uninstaller runs on from a copy of itself in the temporary folder: wait for it.
wine "$folder/Uninstall.exe" /S >/dev/null 2>&1
for _ in $(seq 120); do
  [ -e "$folder" ] || break
  sleep 0.5
done
[ ! -e "$folder" ] || fail "left after uninstalling: $(cd "$folder" && find . -type f | head -5)"
user_path="$(wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | tr -d '\r' || true)"
! grep -qF "$bin" <<<"$user_path" || fail "the PATH entry is left after uninstalling"
echo "installer: installed, ran the example, uninstalled"
