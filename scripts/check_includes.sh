#!/usr/bin/env bash
# The game core reaches SDL and OpenGL only through the platform layer: no file under src/
# outside src/platform/sdl/ and src/main/ may include their headers.
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|SDL2/|GL/|epoxy/|assimp/)' \
  --include='*.h' --include='*.cpp' "$root/src" \
  | grep -v -e "^$root/src/platform/sdl/" -e "^$root/src/main/" || true)
if [ -n "$bad" ]; then
  echo "SDL or OpenGL headers included outside the platform layer:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "include check: the game core includes no SDL or OpenGL header"
