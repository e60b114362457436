#!/usr/bin/env bash
# Asset fault injection: for every member of every archive of the game, in turn, starts the
# game with that member missing, then cut to half its size, then with its bytes replaced by
# noise, and runs a replay through the screens that use it, headless, in the sanitizer build.
# Each run must end either with a failure status and a message naming the member, or go on
# without it; it must never crash, hang or draw a sanitizer report.
#
#   tests/endurance/asset_faults.sh SANITIZE_BUILD CONTENT_BUILD [JOBS] [MEMBER_PATTERN]
#
# The damaged archives are packed with vexorbia-tool. Stage files ("edit\stageN.txt") are read
# from the archives only by an installed game filling a new data directory, so those runs use
# the installed layout and continue a saved game at that stage; every other member runs the
# tour through the intro, settings, editor, a saved game continued on the last stage (stage
# clear page, save offer, end sequence) and a stage of each of the first four worlds with the
# pause menu. Prints one line per run (archive, member, fault, outcome, exit status, where the
# replay ended, the first message) and a summary by outcome; exits 1 when any run crashed,
# hung or drew a sanitizer report. Runs in a private temporary directory (JOBS at a time, 2
# unless given); run it under `nice -n 19`.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/endurance_common.sh"
san="$(cd "$1" && pwd)"; content="$(cd "$2" && pwd)"; jobs="${3:-2}"; pattern="${4:-}"
tool="$content/vexorbia-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SAN_REPLAY="$san/vexorbia-replay" TOOL="$tool" WORK="$work" TIME_LIMIT=240
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export SDL_AUDIODRIVER=dummy

# The game directory every run copies: easy stages, and a saved game on the basic set's last
# stage with every world open.
base="$work/base"; mkdir "$base"
make_game_dir "$content/game" "$tool" "$base"
rm -f "$base"/times.txt "$base"/settings.txt "$base"/display.txt "$base"/saved*.txt
saved_game() {  # saved_game DIR SET STAGE: a sealed saved game with every world open
  printf 't%d A0 B0 C0 D0 E0 F0 G0 H0 I0 J0 d0 e0 f0 g0 h0 s4 ' "$3" > "$1/saved$2.txt"
  printf 'i216000 j216000 k216000 l216000 m216000 n0 o0 p0 q0 r0 >' >> "$1/saved$2.txt"
  (cd "$1" && "$TOOL" seal "saved$2.txt")
}
export -f saved_game
saved_game "$base" 0 49

# Every archive unpacked once; a run links the tree and changes its one member.
members="$work/members"; : > "$members"
for archive in "$base"/_*.loc; do
  a=$(basename "$archive")
  mkdir -p "$work/x/$a"
  "$tool" loc list "$archive" | while read -r name size; do
    path="$work/x/$a/${name//\\//}"
    mkdir -p "$(dirname "$path")"
    "$tool" loc extract "$archive" "$name" "$path" > /dev/null
    printf '%s\t%s\t%s\n' "$a" "$name" "$size" >> "$members"
  done
done

# The tour for every member but the stage files.
tour="$work/tour.txt"
home() { printf 'mouse -2000 -2000\nwait 1\nmouse %d %d\nwait 1\n' "$1" "$2"; }
{
  echo "step 3.333333"
  echo "wait 60"; echo "click"; echo "wait 30"                         # intro, left by a click
  home 260 380; echo "click"; echo "wait 40"; echo "press 1"; echo "wait 10"  # settings
  echo "press 18"; echo "wait 40"; echo "press 1"; echo "wait 5"; echo "press 21"; echo "wait 20"
  home 260 338; echo "click"; echo "wait 30"                          # world selection
  home 265 450; echo "click"; echo "wait 60"                          # continue: the last stage
  echo "press 44"; echo "wait 30"
  for k in 1 2 3 4 5 6 7 8 9 10 11 12; do                             # shots until it clears
    key=$((k % 2 ? 205 : 203))
    printf 'key %d down\nwait %d\nkey %d up\npress 44\nwait 45\n' $key $((k * 4)) $key
  done
  echo "wait 60"; home 450 477; echo "click"; echo "wait 30"          # stage clear: next
  echo "press 49"; echo "wait 150"; echo "press 1"; echo "wait 30"     # save offer, end sequence
  for box in "90 120" "260 120" "430 120" "180 280"; do               # worlds 1 .. 4
    home 260 338; echo "click"; echo "wait 30"
    home $box; echo "click"; echo "wait 5"; echo "press 28"; echo "wait 70"
    echo "press 44"; echo "wait 60"; echo "press 44"; echo "wait 40"
    echo "press 1"; echo "wait 30"; echo "press 16"; echo "wait 5"; echo "press 21"; echo "wait 30"
  done
  echo "dump"
} > "$tour"

# stage_tour FILE SET: the world selection on SET, continue the saved game, play a moment.
stage_tour() {
  {
    echo "step 3.333333"
    echo "wait 60"; echo "click"; echo "wait 30"
    home 260 338; echo "click"; echo "wait 30"
    if [ "$2" -gt 0 ]; then home 297 374; echo "click"; echo "wait 10"; fi
    home 265 450; echo "click"; echo "wait 60"
    echo "press 44"; echo "wait 30"; echo "press 44"; echo "wait 60"
    echo "dump"
  } > "$1"
}
stage_tour "$work/stage_tour0.txt" 0
stage_tour "$work/stage_tour1.txt" 1

# run_one ARCHIVE MEMBER SIZE FAULT: prints "ARCHIVE MEMBER FAULT OUTCOME STATUS MESSAGE".
run_one() {
  local a="$1" name="$2" size="$3" fault="$4"
  local run; run=$(mktemp -d "$WORK/run.XXXXXX")
  local rel="${name//\\//}" short="${name##*\\}"
  cp -al "$WORK/x/$a" "$run/tree"
  rm "$run/tree/$rel"
  case "$fault" in
    missing) ;;
    half) head -c $((size / 2)) "$WORK/x/$a/$rel" > "$run/tree/$rel" ;;
    noise)
      openssl enc -aes-128-ctr -nosalt -pbkdf2 -pass "pass:$a/$name" < /dev/zero 2> /dev/null |
        head -c "$size" > "$run/tree/$rel" ;;
  esac
  "$TOOL" loc pack "$run/$a" "$run/tree" > /dev/null
  rm -rf "$run/tree"
  local args=() script
  if [[ "$short" =~ ^stage([0-9]+)\.txt$ ]]; then
    # The installed layout: the archives in PREFIX/share/vexorbia, a new data directory.
    local n=${BASH_REMATCH[1]} set stage
    set=$(( (n - 1) / 50 )); stage=$(( (n - 1) % 50 ))
    mkdir -p "$run/p/bin" "$run/p/share/vexorbia" "$run/xdg/vexorbia"
    for f in "$WORK"/base/_*.loc; do ln -s "$f" "$run/p/share/vexorbia/"; done
    rm "$run/p/share/vexorbia/$a"; mv "$run/$a" "$run/p/share/vexorbia/$a"
    saved_game "$run/xdg/vexorbia" "$set" "$stage"
    args=(--installed "$run/p"); script="$WORK/stage_tour$set.txt"
  else
    mkdir "$run/g"
    for f in "$WORK"/base/*; do
      case "$(basename "$f")" in
        _*.loc) ln -s "$f" "$run/g/" ;;
        *) cp -r "$f" "$run/g/" ;;
      esac
    done
    rm "$run/g/$a"; mv "$run/$a" "$run/g/$a"
    args=(--dir "$run/g"); script="$WORK/tour.txt"
  fi
  local rc=0 start end
  start=$(date +%s)
  XDG_DATA_HOME="$run/xdg" HOME="$run" timeout -k 10 "$TIME_LIMIT" \
    "$SAN_REPLAY" --headless "${args[@]}" "$script" > "$run/out" 2> "$run/err" || rc=$?
  end=$(date +%s)
  local outcome
  if grep -q -e "ERROR: AddressSanitizer" -e "runtime error:" -e "ERROR: LeakSanitizer" "$run/err"; then
    outcome=SANITIZER
  elif [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ] || [ $((end - start)) -ge "$TIME_LIMIT" ]; then
    outcome=HANG
  elif [ "$rc" -gt 128 ] && [ "$rc" -lt 192 ]; then
    outcome=CRASH  # killed by a signal (the game's own failure status is 255)
  elif [ "$rc" -ne 0 ] && grep -qF -- "$short" "$run/err"; then
    outcome=FAILED_NAMING_IT
  elif [ "$rc" -ne 0 ]; then
    outcome=FAILED_SILENTLY
  elif grep -qF -- "$short" "$run/err"; then
    outcome=WENT_ON_NAMING_IT
  else
    outcome=WENT_ON
  fi
  # Where the replay ended: the game state and stage of its last dump line.
  local ended
  ended=$(tail -1 "$run/out" | sed -n 's/.*"state":\([0-9]*\),"stage":\([0-9]*\).*/state \1 stage \2/p')
  local message
  message=$(grep -v -e '^vexorbia-replay: the game' -e '^{' "$run/err" | head -1 | tr '\t' ' ' | cut -c1-120)
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$a" "$name" "$fault" "$outcome" "$rc" "${ended:-no dump}" \
    "$message"
  case "$outcome" in
    SANITIZER|HANG|CRASH) mkdir -p "$WORK/kept"; cp "$run/err" "$WORK/kept/$a.${short}.$fault.err" ;;
  esac
  rm -rf "$run"
}
export -f run_one

# The stage files last: they are many, and the other members go through the most code.
results="$work/results.tsv"
while IFS=$'\t' read -r a name size; do
  if [ -n "$pattern" ] && ! [[ "$name" == $pattern ]]; then continue; fi
  for fault in missing half noise; do printf '%s\0%s\0%s\0%s\0' "$a" "$name" "$size" "$fault"; done
done < <(grep -v $'\tedit\\\\' "$members"; grep $'\tedit\\\\' "$members") | xargs -0 -n 4 -P "$jobs" bash -c 'run_one "$@"' _ | tee "$results"

echo
echo "runs $(wc -l < "$results")"
echo "by outcome:"; cut -f4 "$results" | sort | uniq -c
echo "by outcome and fault:"; cut -f3,4 "$results" | sort | uniq -c
if grep -qE $'\t(CRASH|HANG|SANITIZER)\t' "$results"; then
  echo "crashes, hangs and sanitizer reports:"
  grep -E $'\t(CRASH|HANG|SANITIZER)\t' "$results"
  for f in "$work"/kept/*; do echo "== $f"; head -40 "$f"; done
  exit 1
fi
