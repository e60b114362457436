#!/usr/bin/env bash
# Keeps the house in layers.
#  1. The folders of src/ stand in floors, ground first (the README's "What is where" table
#     shows the same order). A file may include headers of its own folder and of folders on
#     lower floors only: never a folder above it, nor a sibling on its own floor. Anything
#     else must be listed below as an exception, with its reason.
#  2. The game core reaches SDL and OpenGL only through the platform layer: no file under src/
#     outside src/platform/sdl/ and src/main/ includes their headers.
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
status=0

# Floor of each folder of src/ (platform/sdl and platform/headless belong to platform).
floors='
platform 0
core 1
storage 2
draw 3
audio 3
field 4
persist 5
objects 6
screens 7
editor 7
app 8
main 9
'

# Allowed crossings: "including-file included-header  reason". None at present.
exceptions='
'

found=$(cd "$root/src" && grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' \
  --include='*.h' --include='*.cpp' . | sed -E 's#^\./##') || true
bad=$(awk -v floors="$floors" -v exceptions="$exceptions" '
  BEGIN {
    n = split(floors, lines, "\n")
    for (i = 1; i <= n; ++i) if (split(lines[i], f, " ") == 2) floor[f[1]] = f[2]
    n = split(exceptions, lines, "\n")
    for (i = 1; i <= n; ++i) if (split(lines[i], f, " ") >= 2) allowed[f[1] " " f[2]] = 1
  }
  {
    file = $0; sub(/:.*/, "", file)
    header = $0; sub(/^[^"]*"/, "", header); sub(/".*/, "", header)
    from = file; sub(/\/.*/, "", from)
    to = header; sub(/\/.*/, "", to)
    if (!(from in floor)) { print file ": folder " from " has no floor in check_includes.sh"; next }
    if (!(to in floor)) next  # not a folder of src/ (for example a library header)
    if (from == to || floor[to] < floor[from]) next
    if ((file " " header) in allowed) next
    print file " includes " header " (" from " is on floor " floor[from] ", " to " on floor " floor[to] ")"
  }' <<<"$found")
if [ -n "$bad" ]; then
  echo "Includes that break the floors of src/ (a folder may use only folders below it):" >&2
  echo "$bad" >&2
  status=1
fi

sdl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|SDL2/|GL/|epoxy/|assimp/)' \
  --include='*.h' --include='*.cpp' "$root/src" \
  | grep -v -e "^$root/src/platform/sdl/" -e "^$root/src/main/" || true)
if [ -n "$sdl" ]; then
  echo "SDL or OpenGL headers included outside the platform layer:" >&2
  echo "$sdl" >&2
  status=1
fi
if [ "$status" -eq 0 ]; then
  echo "include check: every folder uses only the floors below it; no SDL or OpenGL header in the core"
fi
exit "$status"
