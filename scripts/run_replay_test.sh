#!/usr/bin/env bash
# Runs one replay script headless against a temporary copy of the game directory.
# When SCRIPT's directory holds NAME.expected, the dump lines must equal it.
set -euo pipefail
replay="$1"; game_dir="$2"; script="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir"/. "$work"/
out="$work/.dump"
"$replay" --headless --dir "$work" "$script" > "$out"
expected="${script%.txt}.expected"
if [ -f "$expected" ]; then
  if ! diff -u "$expected" "$out"; then
    echo "replay output differs from $expected" >&2
    exit 1
  fi
fi
cat "$out"
