#!/usr/bin/env bash
# Installs what vorn needs to build and test, from Debian's archive.
set -euo pipefail

packages=(
  cmake ninja-build g++ gcc clang binutils pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libfmt-dev nlohmann-json3-dev python3
  gfortran g++-mingw-w64-x86-64 wine64
  python3-numpy python3-pytest python3-matplotlib python3-venv python3-pip python3-setuptools
  python3-wheel python3-mypy python3-numpydoc
  libclang-rt-14-dev clang-tidy cppcheck
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
