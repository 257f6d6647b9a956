#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the plotting program need (or the
# packages named as arguments), only those that are missing, and the npm packages of
# package.json at the versions package-lock.json pins into node_modules/ (the plotting library
# kestrova builds into its reports, the browser driver of the report's test). Safe to run again.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libbenchmark-dev libeigen3-dev libcli11-dev gfortran gnuplot-nox
  python3-pandas python3-numpy)
[ "$#" -gt 0 ] && packages=("$@")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm packages: Node.js from Debian when the machine has none.
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$root/node_modules/plotly.js-dist-min/plotly.min.js" ] ||
  [ ! -f "$root/node_modules/puppeteer-core/package.json" ]; then
  if ! command -v npm >/dev/null 2>&1; then
    "$0" nodejs npm
  fi
  echo "Installing the npm packages of package.json"
  (cd "$root" && npm ci --no-audit --no-fund --loglevel=error)
fi
