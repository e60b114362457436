#!/usr/bin/env bash
# vexorbia-replay with a `shot` line writes the last frame as a PNG of the window's size.
set -euo pipefail
replay="$1"; tool="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for a in k l m n o p q r s t; do for b in k l m n o p q r s t; do mkdir -p "$work/BUN/$a/$b"; done; done
mkdir -p "$work/src/img"
# 1 x 1 white 32-bit TGAs for the start-up's and the boot's images and the title's backdrop:
# a game whose boot fails ends after its first frame.
for name in explosion_1 explosion_2 explosion_3 explosion_4 explosion_5 explosion_6 \
  explosion_7 explosion_8 chrset1 gemset0 gemset1 logo wheel player1_0 player1_1 player1_2 \
  startscreenclouds; do
  printf '\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\040\050\377\377\377\377' > "$work/src/img/$name.tga"
done
"$tool" loc pack "$work/_data.loc" "$work/src" >/dev/null
printf 'wait 3\nshot %s/frame.png\n' "$work" > "$work/script.txt"
"$replay" --dir "$work" "$work/script.txt"
test -s "$work/frame.png" || { echo "no screenshot written" >&2; exit 1; }
# PNG signature, then the IHDR width and height (512 x 512).
header=$(od -An -tx1 -N24 "$work/frame.png" | tr -d ' \n')
case "$header" in
  89504e470d0a1a0a0000000d494844520000020000000200) ;;
  *) echo "not a 512 x 512 PNG: $header" >&2; exit 1 ;;
esac
echo "screenshot written: $work/frame.png"
