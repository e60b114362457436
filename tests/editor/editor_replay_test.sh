#!/bin/sh
# The editor's way end to end, headless, in a copy of the game directory whose stage file 1
# is empty: the replay opens the editor from the title, builds and saves a small stage,
# leaves for the title and plays it; its dump lines (the stage in play's cells and block
# among them) must match, and the companion tool must show the saved stage file with
# exactly the cells and the block placed.
set -u
replay="$1"
tool="$2"
game_dir="$3"
here="$4"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cp -r "$game_dir"/. "$work"/ || fail "cannot copy $game_dir"
cd "$work" || exit 1
mkdir -p edit
printf 'c3 w50 h50 z10 p60 d0>.' > edit/stage1.txt
"$tool" seal 'edit\stage1.txt' || fail "sealing the empty stage file exited $?"

"$replay" --headless --dir "$work" "$here/editor_replay.txt" > dump.txt 2> replay.err ||
  { cat replay.err >&2; fail "the replay exited $?"; }
diff -u "$here/editor_replay.expected" dump.txt || fail "the replay's dump lines differ"

"$tool" stage show 1 > shown.txt || fail "stage show exited $?"
expected='colourCount 3 cellWidth 50 cellHeight 50 stagesPerWorld 10 pushInterval 60000
200 0 1
250 0 1
225 50 1
300 0 4
275 50 4
300 200 117'
[ "$(cat shown.txt)" = "$expected" ] || { cat shown.txt >&2; fail "the saved stage differs"; }
[ ! -e dummy ] && [ ! -e ready ] || fail "sealing temporaries left behind"
echo "saved stage file 1:"
cat shown.txt
