#!/usr/bin/env bash
# The game's first seconds on the real renderer in an X window, with the generated content:
# the intro's music plate facing front over the clouds, Escape back to the title menu, then
# the quit entry, which must end the replay with status 0 through the game's quit path.
set -euo pipefail
replay="$1"; check="$2"; game_dir="$3"; out_dir="$4"
# A private X server, so no other window (a developer's desktop, a parallel test) can take
# the test's input or its close request.
if [ -z "${VX_PRIVATE_X:-}" ]; then
  export VX_PRIVATE_X=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir"/. "$work"/
mkdir -p "$out_dir"
rm -f "$out_dir/intro.png" "$out_dir/title.png"
cat > "$work/script.txt" <<SCRIPT
# Big steps through the fly-in: the plate stops facing front at 8 to 10 seconds.
step 20
wait 90
step 3.333333
wait 2
shot $out_dir/intro.png
press 1
wait 30
shot $out_dir/title.png
dump
# Down twice to the quit entry, then Return.
press 208
press 208
key 28 down
wait 5
dump
SCRIPT
export SDL_AUDIODRIVER=dummy
status=0
"$replay" --dir "$work" "$work/script.txt" > "$work/dump" 2> "$work/stderr" || status=$?
cat "$work/dump"
cat "$work/stderr" >&2
[ "$status" -eq 0 ] || { echo "the replay ended with status $status" >&2; exit 1; }
grep -q "the game quit" "$work/stderr" || { echo "the quit entry did not end the game" >&2; exit 1; }
[ "$(wc -l < "$work/dump")" -eq 1 ] || { echo "frames ran after the quit entry" >&2; exit 1; }
grep -q '"state":2,' "$work/dump" || { echo "the title is not state 2" >&2; exit 1; }
"$check" intro "$out_dir/intro.png"
"$check" title "$out_dir/title.png"
echo "screenshots: $out_dir/intro.png $out_dir/title.png"
