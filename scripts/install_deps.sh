#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the plotting program need (or the
# packages named as arguments), only those that are missing. Safe to run again.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libbenchmark-dev libeigen3-dev libcli11-dev gfortran gnuplot-nox)
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
