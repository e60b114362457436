#!/usr/bin/env bash
# Crash-safe saves: vx-save-churn writes the saved game, best times, settings and display
# choice through the game's writers without pause; it is killed with SIGKILL at a random
# moment, and every player file must then unseal to the complete record of the last round or
# the one being written, never older than before, never missing, never a mix. Repeats KILLS
# times (1000 unless given), restarting the writer each time on the files the last one left.
#
#   tests/endurance/save_kill.sh BUILD_DIR [KILLS] [SEED]
#
# Runs in a private temporary directory; run it under `nice -n 19` on a shared machine.
set -euo pipefail
build="$(cd "$1" && pwd)"; kills="${2:-1000}"; seed="${3:-19}"
churn="$build/tests/endurance/vx-save-churn"
[ -x "$churn" ] || { echo "no $churn: build the target vx-save-churn" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
RANDOM=$seed

# One whole round first, so from then on every file must be there.
"$churn" write "$work" 0 1
"$churn" check "$work" > /dev/null
next=1; failures=0; mid_write=0
for ((i = 1; i <= kills; i++)); do
  "$churn" write "$work" "$next" &
  pid=$!
  # 5 .. 160 ms: long enough for the writer to start and write many rounds, then anywhere
  # within a round.
  sleep "0.$(printf '%03d' $((5 + RANDOM % 156)))"
  kill -KILL "$pid"
  wait "$pid" 2> /dev/null || true
  # A temporary left over shows the kill came in the middle of a write.
  if ls "$work" | grep -qv -e '^saved0.txt$' -e '^times.txt$' -e '^settings.txt$' \
       -e '^display.txt$' -e '^churn.state$'; then
    mid_write=$((mid_write + 1))
  fi
  if out=$("$churn" check "$work"); then
    read -r _ g0 _ _ _ <<< "$out"
    next=$((g0 + 1))
  else
    failures=$((failures + 1))
    echo "kill $i: $out"
    # Start again from clean files so one fault does not hide the next.
    rm -f "$work"/*
    "$churn" write "$work" 0 1
    "$churn" check "$work" > /dev/null
    next=1
  fi
done
echo "kills $kills, failures $failures, kills that left a write's temporaries $mid_write," \
     "last generation $((next - 1))"
[ "$failures" -eq 0 ]
