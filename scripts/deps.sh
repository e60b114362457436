#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need. Safe to run again:
# it only installs what is missing. Without root it prints the one command to run.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  build-essential cmake pkg-config clang-format clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the game: SDL2, OpenGL through libepoxy, images, sound, 3-D models
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libepoxy-dev libassimp-dev
  libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  # running without a display
  xvfb xauth
  # the content generator: drawing, text, fonts, JPEG, music rendering and MP3 encoding
  libcairo2-dev libpango1.0-dev libjpeg62-turbo-dev fonts-dejavu-core fonts-comfortaa
  libfluidsynth-dev libmp3lame-dev libmpg123-dev fluid-soundfont-gm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "Some packages are missing. Run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
