#!/usr/bin/env bash
# Runs every tests/shots/NAME.txt on the real renderer (SDL's offscreen driver unless a display
# is given) against a scratch copy of the game directory, with NAME.files laid over it and
# sealed as scripts/run_replay_test.sh does. `shot FILE.png` lines name files in OUT_DIR.
#   scripts/take_shots.sh BUILD_DIR OUT_DIR [NAME...]
set -euo pipefail
build="$(cd "$1" && pwd)"; mkdir -p "$2"; out="$(cd "$2" && pwd)"; shift 2
here="$(cd "$(dirname "$0")/.." && pwd)"
export SDL_AUDIODRIVER=dummy
[ -n "${DISPLAY:-}" ] || export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for s in "$here"/tests/shots/*.txt; do names+=("$(basename "$s" .txt)"); done
fi
for name in "${names[@]}"; do
  script="$here/tests/shots/$name.txt"
  work=$(mktemp -d)
  cp -r "$build/game"/. "$work"/
  fixtures="${script%.txt}.files"
  if [ -d "$fixtures" ]; then
    cp -rL "$fixtures"/. "$work"/
    (cd "$fixtures" && find -L . -type f | sed 's|^\./||') | while IFS= read -r file; do
      (cd "$work" && "$build/vexorbia-tool" seal "${file//\//\\}")
    done
  fi
  sed "s|^shot |shot $out/|" "$script" > "$work/.script"
  echo "$name"
  "$build/vexorbia-replay" --dir "$work" "$work/.script" || { rm -rf "$work"; exit 1; }
  rm -rf "$work"
done
