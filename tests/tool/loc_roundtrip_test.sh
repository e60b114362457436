#!/usr/bin/env bash
# pack a directory, list it, extract every member and compare byte for byte; a name that
# cannot be stored is refused with no archive written.
set -euo pipefail
tool="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p src/img src/son/Deep
head -c 20000 /dev/urandom > src/img/explosion_1.tga
printf 'RIFF....WAVE' > src/son/Deep/OK.wav
: > src/empty.txt
printf 'line\r\n' > src/readme.txt

"$tool" loc pack game.loc src
"$tool" loc list game.loc > list.txt
expected=$'empty.txt 0\nimg\\explosion_1.tga 20000\nreadme.txt 6\nson\\deep\\ok.wav 12'
if [ "$(cat list.txt)" != "$expected" ]; then
  echo "unexpected listing:"; cat list.txt; exit 1
fi
check() {  # member, original file
  local out; out=$("$tool" loc extract game.loc "$1" out.bin)
  [ "$out" = "$(stat -c %s "$2")" ] || { echo "extract $1 reported $out"; exit 1; }
  cmp out.bin "$2"
}
check 'img\explosion_1.tga' src/img/explosion_1.tga
check 'SON/Deep/OK.wav' src/son/Deep/OK.wav
check 'readme.txt' src/readme.txt
if "$tool" loc extract game.loc 'no\such.tga' out.bin > /dev/null; then
  echo "a missing member must exit non-zero"; exit 1
fi
[ ! -e out.bin ] || { echo "a missing member must leave no file"; exit 1; }

mkdir -p bad
printf 'x' > 'bad/semi;colon.txt'
if "$tool" loc pack bad.loc bad 2> err.txt; then
  echo "a name with ';' must be refused"; exit 1
fi
grep -q "';'" err.txt || { echo "no clear message:"; cat err.txt; exit 1; }
[ ! -e bad.loc ] || { echo "no archive may be written"; exit 1; }
echo "loc pack, list and extract round-trip"
