#!/usr/bin/env bash
# Tries X files as the intro's music plate: each FILE takes the place of "xfile\music.x" in a
# temporary copy of the game directory, and the game boots on the real renderer (SDL's
# offscreen driver) for a few frames, through the same model loader the game uses. Prints
# "loads" or "refused" for each file, then how many loaded.
#
#   scripts/try_models.sh [BUILD_DIR] FILE.x...      (BUILD_DIR defaults to build)
set -euo pipefail
build=build
if [ $# -gt 0 ] && [ -d "$1" ]; then build="$1"; shift; fi
[ $# -gt 0 ] || { echo "usage: $0 [BUILD_DIR] FILE.x..." >&2; exit 2; }
replay="$build/vexorbia-replay"; tool="$build/vexorbia-tool"; game="$build/game"
[ -x "$replay" ] && [ -x "$tool" ] && [ -f "$game/_data.loc" ] ||
  { echo "$build holds no built game (vexorbia-replay, vexorbia-tool, game/_data.loc)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The data archive's members as files, so one of them can be swapped.
mkdir -p "$work/members"
"$tool" loc list "$game/_data.loc" | while read -r name _; do
  dest="$work/members/${name//\\//}"
  mkdir -p "$(dirname "$dest")"
  "$tool" loc extract "$game/_data.loc" "$name" "$dest" >/dev/null
done
printf 'wait 3\n' > "$work/script.txt"
loaded=0; total=0
for model in "$@"; do
  total=$((total + 1))
  rm -rf "$work/game"
  cp -r "$game" "$work/game"
  cp "$model" "$work/members/xfile/music.x"
  "$tool" loc pack "$work/game/_data.loc" "$work/members" >/dev/null
  status=0
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
    "$replay" --dir "$work/game" "$work/script.txt" >/dev/null 2>"$work/stderr" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "crashed  $model (status $status)"; sed 's/^/    /' "$work/stderr" | head -5
  elif grep -q "game3d_LoadChr" "$work/stderr"; then
    echo "refused  $model"
  else
    echo "loads    $model"
    loaded=$((loaded + 1))
  fi
done
echo "$loaded of $total load"
