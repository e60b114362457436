#!/usr/bin/env bash
# vexorbia-replay with a `shot` line writes the last frame as a PNG of the window's size.
set -euo pipefail
replay="$1"; tool="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for a in k l m n o p q r s t; do for b in k l m n o p q r s t; do mkdir -p "$work/BUN/$a/$b"; done; done
mkdir -p "$work/src/img"
# 1 x 1 white 32-bit TGAs for the start-up images.
for n in 1 2 3 4 5 6 7 8; do
  printf '\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\040\050\377\377\377\377' > "$work/src/img/explosion_$n.tga"
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
