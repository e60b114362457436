#!/usr/bin/env bash
# Starts the game in a scratch copy of the game directory, waits for its window, sends the
# close request and checks that the game ended by itself with status 0 and removed the
# extracted music file.
set -euo pipefail
game="$1"; send_close="$2"; game_dir="$3"
# A private X server, so no other window (a developer's desktop, a parallel test) can take
# the test's input or its close request.
if [ -z "${VX_PRIVATE_X:-}" ]; then
  export VX_PRIVATE_X=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$game" "$work/"
cp -r "$game_dir/BUN" "$work/"
# The generated archives: a missing picture would open a message box that waits for a click.
cp "$game_dir"/_*.loc "$work/"
export SDL_AUDIODRIVER=dummy
"$work/vexorbia" &
pid=$!
for _ in $(seq 1 50); do
  if "$send_close" Vexorbia 2>/dev/null; then break; fi
  sleep 0.2
done
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  echo "the game did not end after its window was asked to close" >&2
  exit 1
fi
status=0
wait "$pid" || status=$?
if find "$work/BUN" -name ahae.mp3 | grep -q .; then
  echo "the extracted music file was left behind" >&2
  exit 1
fi
echo "window closed, game ended with status $status"
exit "$status"
