#!/usr/bin/env bash
# Builds the game and starts it. Without a display it runs under xvfb-run; without a sound
# device it uses SDL's dummy audio driver.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
game=build/game/vexorbia
if [ ! -e /dev/snd ] && [ -z "${SDL_AUDIODRIVER:-}" ]; then
  export SDL_AUDIODRIVER=dummy
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting the game under xvfb-run."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$game" "$@"
fi
exec "$game" "$@"
