#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test; then builds again with the
# address and undefined-behaviour sanitizers and runs the unit tests there.
#   scripts/test.sh          everything
#   scripts/test.sh --quick  skip the sanitizer build
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
scripts/deps.sh
jobs="$(nproc)"

export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
scripts/check_format.sh
# Tests that need a window start their own X server (xvfb-run); the GL render tests use SDL's
# offscreen driver.
ctest --test-dir build --output-on-failure -j"$jobs"

if [ "${1:-}" != "--quick" ]; then
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVX_WERROR=ON -DVX_SANITIZE=ON \
    -DVX_CONTENT=OFF -DVX_BENCH=OFF >/dev/null
  cmake --build build-sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -L unit
fi
