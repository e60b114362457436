#!/usr/bin/env bash
# The real game on a broken install ends by itself with status 255 after one message: a
# _data.loc that has lost the boot's first picture, and a sound driver that does not exist.
# Each message box is answered as a player clicking it away would.
set -euo pipefail
game="$1"; send_close="$2"; game_dir="$3"
if [ -z "${VX_PRIVATE_X:-}" ]; then
  export VX_PRIVATE_X=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the game in a fresh copy of its directory with the given audio driver, closes every
# message box with `caption`, and checks the status and that `message` was said once.
check() {
  local what="$1" driver="$2" caption="$3" message="$4"
  rm -rf "$work/game" && mkdir "$work/game"
  cp "$game" "$work/game/vexorbia"
  cp -r "$game_dir/BUN" "$work/game/"
  cp "$game_dir"/_*.loc "$work/game/"
  if [ "$what" = "damaged archive" ]; then
    # The member's record keeps its length but no longer has the name the boot asks for.
    LC_ALL=C sed -i 's/img\\chrset1\.tga;/img\\chrsetX.tga;/' "$work/game/_data.loc"
  fi
  SDL_AUDIODRIVER="$driver" "$work/game/vexorbia" 2> "$work/stderr.txt" &
  local pid=$! status=0
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    "$send_close" "$caption" 2>/dev/null || true
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 $(pgrep -P "$pid") "$pid" 2>/dev/null || true
    echo "$what: the game did not end by itself" >&2
    exit 1
  fi
  wait "$pid" || status=$?
  local said
  said=$(grep -c -F "$message" "$work/stderr.txt" || true)
  if [ "$status" -ne 255 ] || [ "$said" -ne 1 ]; then
    echo "$what: status $status, the message said $said times" >&2
    cat "$work/stderr.txt" >&2
    exit 1
  fi
  echo "$what: status 255 after one message"
}

check "damaged archive" dummy "Game_0Stage0()" "[Game_0Stage0()] chrset1.tga"
check "no sound device" no_such_driver "Quarl Ferrow" "[Quarl Ferrow] unable to find Sound Driver"
