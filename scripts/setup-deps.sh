#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing CRUSTEX need,
# and the ones named as arguments (what one script needs besides).
# Only what is missing is installed, so the script is quick on a prepared machine.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev
          fonts-dejavu-core xvfb xauth imagemagick poppler-utils clang-format
          qt6-svg-dev libnetcdf-dev netcdf-bin nlohmann-json3-dev libceres-dev
          python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (apt-get needs it)." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
