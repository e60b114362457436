#!/usr/bin/env bash
# Runs one replay script headless against a temporary copy of the game directory.
# When SCRIPT's directory holds NAME.next, that script runs afterwards in the same directory
# (the game started again, finding the files the first run left), its dump lines following.
# When it holds NAME.unseal, each file named there (one a line) is unsealed with
# vexorbia-tool after the runs and printed as "FILE: plain text".
# When it holds NAME.expected, the output must equal it.
set -euo pipefail
replay="$1"; game_dir="$2"; script="$3"
tool="$(cd "$(dirname "$replay")" && pwd)/vexorbia-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir"/. "$work"/
out="$work/.dump"
"$replay" --headless --dir "$work" "$script" > "$out"
next="${script%.txt}.next"
if [ -f "$next" ]; then
  "$replay" --headless --dir "$work" "$next" >> "$out"
fi
unseal="${script%.txt}.unseal"
if [ -f "$unseal" ]; then
  while IFS= read -r file; do
    [ -n "$file" ] || continue
    text=$(cd "$work" && "$tool" unseal "$file")
    printf '%s: %s\n' "$file" "$text" >> "$out"
  done < "$unseal"
fi
expected="${script%.txt}.expected"
if [ -f "$expected" ]; then
  if ! diff -u "$expected" "$out"; then
    echo "replay output differs from $expected" >&2
    exit 1
  fi
fi
cat "$out"
