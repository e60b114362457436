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

# stage check: two stages a world (from stage file 1); world 1 has both files complete
printf 'w50h50c3z2p60>.' > edit/stage2.txt
expected='stagesPerWorld 2
world 1 1
world 2 0
world 3 0
world 4 0
world 5 0'
[ "$("$tool" stage check)" = "$expected" ] || fail "stage check: $("$tool" stage check)"
echo "tool persist commands: ok"
