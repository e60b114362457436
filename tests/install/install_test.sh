#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes the prefix read-only and runs the game as
# installed there: a replay headless, and the real game in a window when an X server can be
# had. The player's files must land in the data directory ($XDG_DATA_HOME/vexorbia), the
# prefix must stay exactly as installed, and no message box may appear.
set -euo pipefail
cmake="$1"; build="$2"; replay="$3"; script="$4"; send_close="${5:-}"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log"

fail() { echo "$*" >&2; exit 1; }
for f in bin/vexorbia share/vexorbia/_data.loc share/vexorbia/_sfx.loc share/vexorbia/_mp.loc \
         share/vexorbia/edit/stage1.txt share/applications/vexorbia.desktop \
         share/icons/hicolor/48x48/apps/vexorbia.png share/icons/hicolor/128x128/apps/vexorbia.png \
         share/icons/hicolor/256x256/apps/vexorbia.png; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/vexorbia" ] || fail "the installed game cannot be run"
grep -qx "Exec=\"$prefix/bin/vexorbia\"" "$prefix/share/applications/vexorbia.desktop" ||
  fail "the desktop entry does not start the installed game"
grep -qx "Icon=vexorbia" "$prefix/share/applications/vexorbia.desktop" || fail "no icon named"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/vexorbia.desktop"
fi
# Nothing of a player's or of the scratch space is installed.
if find "$prefix" -name BUN -o -name times.txt -o -name settings.txt -o -name 'saved*.txt' \
     -o -name display.txt | grep -q .; then
  fail "player or scratch files were installed"
fi

chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(listing)

export XDG_DATA_HOME="$work/xdg" HOME="$work/home" SDL_AUDIODRIVER=dummy
data="$XDG_DATA_HOME/vexorbia"
"$replay" --headless --installed "$prefix" "$script" > "$work/dump" 2> "$work/err" ||
  { cat "$work/err" >&2; fail "the replay of the installed game failed"; }
cat "$work/dump"
if grep -v '^vexorbia-replay: the game quit' "$work/err" | grep -q .; then
  cat "$work/err" >&2
  fail "the installed game showed a message"
fi
grep -q 'the game quit' "$work/err" || fail "the replay did not reach the quit entry"
for f in times.txt settings.txt saved0.txt display.txt edit/stage1.txt edit/stage2.txt BUN/k/k BUN/t/t; do
  [ -e "$data/$f" ] || fail "not in the data directory: $f"
done
cmp -s "$data/edit/stage1.txt" "$prefix/share/vexorbia/edit/stage1.txt" &&
  fail "the edited stage was not saved in the data directory"
cmp -s "$data/edit/stage2.txt" "$prefix/share/vexorbia/edit/stage2.txt" ||
  fail "stage file 2 is not the installed one"
[ "$(find "$data/BUN" -mindepth 2 -maxdepth 2 -type d | wc -l)" = 100 ] ||
  fail "the data directory lacks scratch directories"
if find "$data" -name ahae.mp3 -o -name dummy -o -name ready | grep -q .; then
  fail "scratch files were left behind"
fi
[ "$(listing)" = "$before" ] || fail "the installed prefix changed"

# The real game, from its installed place, in a window of a private X server: it comes up on
# the data directory made above and ends cleanly when its window is closed.
if [ -n "$send_close" ] && command -v xvfb-run > /dev/null; then
  rm "$data/times.txt"
  cat > "$work/run.sh" <<RUN
#!/usr/bin/env bash
"$prefix/bin/vexorbia" &
pid=\$!
for _ in \$(seq 1 50); do "$send_close" Vexorbia 2>/dev/null && break; sleep 0.2; done
for _ in \$(seq 1 50); do kill -0 \$pid 2>/dev/null || break; sleep 0.2; done
if kill -0 \$pid 2>/dev/null; then kill \$pid; exit 1; fi
wait \$pid
RUN
  chmod +x "$work/run.sh"
  (cd / && xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh") > "$work/game.log" 2>&1 ||
    { cat "$work/game.log" >&2; fail "the installed game did not run and close cleanly"; }
  grep -q '^\[' "$work/game.log" && { cat "$work/game.log" >&2; fail "the game showed a message"; }
  [ -f "$data/times.txt" ] || fail "the installed game did not write in the data directory"
  [ "$(listing)" = "$before" ] || fail "the installed game changed its prefix"

  # No place for the player's files (a file stands where the data directory would go): one
  # message naming the place, then the failure status every failed start ends with.
  touch "$work/no-dir"
  cat > "$work/nodir.sh" <<RUN
#!/usr/bin/env bash
XDG_DATA_HOME="$work/no-dir" "$prefix/bin/vexorbia" &
pid=\$!
for _ in \$(seq 1 100); do
  kill -0 \$pid 2>/dev/null || break
  "$send_close" "Game Exiting" 2>/dev/null || true
  sleep 0.2
done
if kill -0 \$pid 2>/dev/null; then kill -9 \$pid; exit 1; fi
status=0
wait \$pid || status=\$?
exit \$status
RUN
  chmod +x "$work/nodir.sh"
  status=0
  (cd / && xvfb-run -a -s "-screen 0 1024x768x24" "$work/nodir.sh") > "$work/nodir.log" 2>&1 ||
    status=$?
  [ "$status" -eq 255 ] || { cat "$work/nodir.log" >&2; fail "without a data directory: status $status"; }
  [ "$(grep -c -F "[Game Exiting]" "$work/nodir.log")" -eq 1 ] &&
    grep -q -F "$work/no-dir/vexorbia" "$work/nodir.log" ||
    { cat "$work/nodir.log" >&2; fail "without a data directory: not one message naming it"; }
fi
echo "installed, ran read-only, player files in $data"
