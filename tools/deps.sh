#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # libraries the engine and toolkit link
  libsdl2-dev libgl-dev libglu1-mesa-dev libglew-dev libgl1-mesa-dri
  libpng-dev libjpeg62-turbo-dev libfreetype-dev libvorbis-dev libopenal-dev
  libenet-dev liblua5.1-0-dev zlib1g-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool sox imagemagick x11-utils xserver-xorg-core xserver-xorg-video-dummy
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
