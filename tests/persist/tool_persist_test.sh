#!/bin/sh
# vexorbia-tool seal, unseal, stage show and stage check, end to end in a scratch directory.
set -u
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# seal and unseal
printf 'a100b200>' > times.txt
"$tool" seal times.txt || fail "seal exited $?"
[ "$(head -c 15 times.txt)" = "encryption v2.0" ] || fail "seal wrote no outer header"
[ "$(wc -c < times.txt)" -eq $((15 + 2 * (12 + 9))) ] || fail "sealed size $(wc -c < times.txt)"
[ "$("$tool" unseal times.txt)" = "a100b200>" ] || fail "unseal gave other text"
[ ! -e dummy ] && [ ! -e ready ] || fail "temporaries left behind"

# A file without headers is printed as it is.
printf 'plain\n' > notes.txt
[ "$("$tool" unseal notes.txt)" = "plain" ] || fail "plain file not passed through"

# A changed byte of the text: exit 2. A missing file: exit 1.
byte=$(od -An -tu1 -j39 -N1 times.txt | tr -d ' ')
printf "\\$(printf '%03o' $(((byte + 1) % 256)))" | dd of=times.txt bs=1 seek=39 conv=notrunc 2>/dev/null
"$tool" unseal times.txt > /dev/null 2>&1
[ $? -eq 2 ] || fail "tampered file did not exit 2"
"$tool" unseal missing.txt > /dev/null 2>&1
[ $? -eq 1 ] || fail "missing file did not exit 1"
"$tool" seal missing.txt > /dev/null 2>&1
[ $? -eq 1 ] || fail "sealing a missing file did not exit 1"

# stage show: header values, then one line per cell and block as stored
mkdir edit
printf 'c4 w40 h40 z2 p60 d0>0 0 1,40 0 2,100 100 150,7 7 300,.' > edit/stage1.txt
"$tool" seal 'edit\stage1.txt' || fail "sealing a stage file exited $?"
expected='colourCount 4 cellWidth 40 cellHeight 40 stagesPerWorld 2 pushInterval 60000
0 0 1
40 0 2
100 100 150'
[ "$("$tool" stage show 1)" = "$expected" ] || fail "stage show 1: $("$tool" stage show 1)"
printf 'w60' > edit/stage3.txt
[ "$("$tool" stage show 3 2> /dev/null)" = "colourCount 3 cellWidth 50 cellHeight 50" ] ||
  fail "stage show 3: $("$tool" stage show 3 2>&1)"
"$tool" stage show 9 > /dev/null 2>&1
[ $? -eq 1 ] || fail "stage show of a missing file did not exit 1"

# stage check: one stage a world (from stage file 1), so a set is five files. The basic set
# is sound; file 6 starts a second set, whose third file has two balls on one place.
rm -f edit/stage*.txt
stage() {  # number, plain text
  printf '%s' "$2" > "edit/stage$1.txt"
  "$tool" seal "edit\\stage$1.txt" || fail "sealing stage $1 exited $?"
}
cells='0 0 1,64 0 1,128 0 1,192 0 2,256 0 2,320 0 2,.'
for n in 1 2 3 4 5 6 7 9 10; do stage $n "c3 w64 h64 z1 p60>$cells"; done
stage 8 "c3 w64 h64 z1 p60>0 0 1,10 0 1,64 0 1,128 0 1,192 0 2,256 0 2,320 0 2,."
expected='stagesPerWorld 1
world 1 1
world 2 1
world 3 1
world 4 1
world 5 1
extraSets 1
set 1 world 1 1
set 1 world 2 1
set 1 world 3 1
set 1 world 4 1
set 1 world 5 1
edit\stage8.txt: cell (10, 0) is off the grid
edit\stage8.txt: cells (0, 0) and (10, 0) overlap
edit\stage8.txt: cells (10, 0) and (64, 0) overlap
checked 10 stage files: 3 problems'
out=$("$tool" stage check)
status=$?
[ "$out" = "$expected" ] || fail "stage check: $out"
[ $status -eq 1 ] || fail "stage check with a problem exited $status"

# Without file 8's fault every file passes. A missing last file leaves the second set
# counted (the sets run up to the first file without cells) but its fifth world incomplete;
# a missing second file of the set ends the sets after the basic one.
stage 8 "c3 w64 h64 z1 p60>$cells"
"$tool" stage check > out.txt || fail "a sound stage check exited $?: $(cat out.txt)"
grep -qx 'checked 10 stage files: 0 problems' out.txt || fail "sound sets: $(cat out.txt)"
rm edit/stage10.txt
"$tool" stage check > out.txt && fail "a missing file passed the check"
grep -qx 'set 1 world 5 0' out.txt && grep -qx 'edit\\stage10.txt: missing' out.txt ||
  fail "missing file 10: $(cat out.txt)"
rm edit/stage7.txt
"$tool" stage check > out.txt || fail "the basic set alone exited $?: $(cat out.txt)"
grep -qx 'extraSets 0' out.txt || fail "an incomplete second set was counted: $(cat out.txt)"
echo "tool persist commands: ok"
