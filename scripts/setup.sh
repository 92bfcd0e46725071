#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, then configures and builds the
# given preset (default: "default"). Quiet and quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

# libssl-dev: OpenSSL's MD5, the reference of the digest benchmark (nothing else links it).
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev libssl-dev qt6-base-dev qt6-serialport-dev libasound2 xvfb xauth
          imagemagick x11-apps x11-utils fonts-dejavu-core python3)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
