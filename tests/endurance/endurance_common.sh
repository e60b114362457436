# Shared by the endurance scripts: a private game directory with a few stages anyone can
# clear, so random input and the stage skip reach the stage clear page, the save offer and the
# end sequence.

# The stage files made easy: the second stage, the last stage of every world of the basic
# set, and two of the second set. Each is one row of one colour under the ceiling, breaking in
# pairs: any shot that reaches the row clears the stage.
EASY_STAGES="2 10 20 30 40 50 60 100"

# make_game_dir GAME_DIR TOOL DEST: DEST becomes a copy of GAME_DIR with the easy stages.
make_game_dir() {
  local game="$1" tool="$2" dest="$3" row="" x n
  cp -r "$game"/. "$dest"/
  for ((x = 0; x <= 960; x += 64)); do row="$row${row:+,}$x 0 1"; done
  for n in $EASY_STAGES; do
    printf 'c2 w64 h64 p60 d0>%s' "$row" > "$dest/edit/stage$n.txt"
    (cd "$dest" && "$tool" seal "edit\\stage$n.txt")
  done
}
