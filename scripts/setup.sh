#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, then configures and builds
# Halvorn in build/. Safe to run again: it installs and rebuilds only what is
# needed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="${HALVORN_BUILD_DIR:-$root/build}"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev
  libgtest-dev googletest
  fonts-liberation xvfb xauth poppler-utils imagemagick
  desktop-file-utils appstream dpkg-dev file lintian
  clang-format
  libsodium-dev libzxcvbn-dev zlib1g-dev
)

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
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# HALVORN_CMAKE_ARGS: further cache settings, such as the sanitizer switch
# that scripts/test.sh --sanitize passes.
read -r -a extra <<<"${HALVORN_CMAKE_ARGS:-}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${extra[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
