#!/usr/bin/env bash
# Installs what Velunna needs to build, run and test (Debian packages), then configures and
# builds the game into ./build (the game and its data tree land in ./build/game).
# Safe to run again: packages already present are not fetched twice.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake make pkg-config libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libegl1 libgl1-mesa-dri
  fonts-ipafont-gothic fonts-ipafont-mincho libgtest-dev libgmock-dev libbenchmark-dev
  sox libsox-fmt-mp3 lame xvfb xauth x11-apps imagemagick xfonts-base)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_EXTRA_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
