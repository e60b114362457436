#!/usr/bin/env bash
# Monkey soak: random keys, mouse, clicks and pad input through every screen for MINUTES of
# game time per seed (60 unless given), headless. Each seed runs twice on the same input:
# in the sanitizer build, which fails on a crash, a sanitizer report or the game quitting;
# and in the content build, whose resident memory at the end must stay within 5% of the
# figure after the first game minute. Memory is judged there because the sanitizer's
# allocator holds freed blocks in a quarantine and keeps much of what it once mapped, so the
# sanitizer build's resident size records its own high-water marks more than the game's
# (its figures are printed too). Either build's figure moves by a tenth with the screen on
# show (each screen loads its own sheets): read the five-minute figures for a trend. Prints
# the frames spent in each game state.
#
#   tests/endurance/monkey_soak.sh SANITIZE_BUILD CONTENT_BUILD [MINUTES] [SEED...]
#
# SANITIZE_BUILD is configured with -DVX_SANITIZE=ON (scripts/test.sh makes build-sanitize);
# CONTENT_BUILD holds the generated archives in game/, vexorbia-tool and an optimised
# vexorbia-replay. Seeds 1 and 2 unless given. Runs in a private temporary directory; run it
# under `nice -n 19`.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/endurance_common.sh"
san="$(cd "$1" && pwd)"; content="$(cd "$2" && pwd)"; minutes="${3:-60}"; shift 3 || shift $#
seeds=("$@"); [ ${#seeds[@]} -gt 0 ] || seeds=(1 2)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A small quarantine, so the sanitizer's own store of freed blocks is full within the first
# minute and does not pass for growth later.
export ASAN_OPTIONS="detect_leaks=1:quarantine_size_mb=16:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export SDL_AUDIODRIVER=dummy
status=0
for seed in "${seeds[@]}"; do
  dir="$work/game$seed"; mkdir "$dir"
  make_game_dir "$content/game" "$content/vexorbia-tool" "$dir"
  log="$work/monkey$seed.log"
  start=$(date +%s)
  rc=0
  "$san/vexorbia-replay" --headless --dir "$dir" --monkey "$seed" "$minutes" > "$log" 2>&1 || rc=$?
  echo "== seed $seed: exit $rc, $(( $(date +%s) - start )) s of wall time"
  cat "$log"
  if [ "$rc" -ne 0 ]; then status=1; fi
  if grep -q -e "ERROR: AddressSanitizer" -e "runtime error:" -e "ERROR: LeakSanitizer" "$log"; then
    echo "seed $seed: sanitizer report"; status=1
  fi
  # The same seed in the content build, on a fresh copy: the memory verdict.
  rdir="$work/release$seed"; mkdir "$rdir"
  make_game_dir "$content/game" "$content/vexorbia-tool" "$rdir"
  rlog="$work/release$seed.log"
  rrc=0
  "$content/vexorbia-replay" --headless --dir "$rdir" --monkey "$seed" "$minutes" > "$rlog" 2>&1 ||
    rrc=$?
  echo "== seed $seed in the content build: exit $rrc"
  grep -e '^minute' -e '^RSS' -e '^heap' "$rlog"
  if [ "$rrc" -ne 0 ]; then status=1; fi
  # The resident-size line only: the heap line has the same shape.
  growth=$(sed -n 's/^RSS after the first minute.*at the end [0-9]* KiB (\([-+0-9.]*\)%).*/\1/p' "$rlog")
  if [ -z "$growth" ] || awk -v g="$growth" 'BEGIN { exit !(g > 5) }'; then
    echo "seed $seed: resident memory grew by ${growth:-?}%"; status=1
  fi
done
exit $status
