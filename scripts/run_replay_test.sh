#!/usr/bin/env bash
# Runs one replay script headless against a temporary copy of the game directory.
# When SCRIPT's directory holds a folder NAME.files, its files are copied over the copy (the
# folder's layout is the game directory's) and sealed, as the game keeps stage files and
# player files: a replay's own small stages and saved games.
# When SCRIPT's directory holds NAME.next, that script runs afterwards in the same directory
# (the game started again, finding the files the first run left), its dump lines following.
# When it holds NAME.unseal, each file named there (one a line) is unsealed with
# vexorbia-tool after the runs and printed as "FILE: plain text".
# When it holds NAME.expected, the output must equal it.
# With VX_DRAW_LOG set, the first run writes every sheet rectangle it drew to that file.
set -euo pipefail
replay="$1"; game_dir="$2"; script="$3"
tool="$(cd "$(dirname "$replay")" && pwd)/vexorbia-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir"/. "$work"/
fixtures="${script%.txt}.files"
if [ -d "$fixtures" ]; then
  cp -rL "$fixtures"/. "$work"/
  # The game names its files with '\' as the folder separator.
  (cd "$fixtures" && find -L . -type f | sed 's|^\./||') | while IFS= read -r file; do
    (cd "$work" && "$tool" seal "${file//\//\\}")
  done
fi
out="$work/.dump"
draws=()
if [ -n "${VX_DRAW_LOG:-}" ]; then draws=(--draws "$VX_DRAW_LOG"); fi
"$replay" --headless "${draws[@]}" --dir "$work" "$script" > "$out"
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
