#!/usr/bin/env bash
# Fails when a C++ file differs from the repository's clang-format style.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
[ -z "$files" ] && exit 0
if ! clang-format --dry-run --Werror $files; then
  echo "clang-format: run 'clang-format -i' on the files above" >&2
  exit 1
fi
