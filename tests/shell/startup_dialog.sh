#!/usr/bin/env bash
# startup_dialog.sh MKGAME PLAYER
# With no game named and none beside the program, the headless player shows
# the open dialog's title and takes the scripted answer as the typed name:
# a game in a folder "é" runs (the path whole, as UTF-8); no answer, Cancel,
# a folder or a missing file end the player with status 1 before any load.
set -u
mkgame=$1 player=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_startup_XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $1"; echo "---- player output"; cat "$work/out.txt"; exit 1; }

mkdir -p "$work/é"
"$mkgame" "$(dirname "$0")/picked_game.json" -o "$work/é/picked.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

# run ANSWERS...: the player started in $work with these answer lines (none:
# no answers file); leaves its status in $status.
run() {
  local answers=()
  if [ $# -gt 0 ]; then
    printf '%s\n' "$@" > "$work/answers.txt"
    answers=(KORVALITH_ANSWERS="$work/answers.txt")
  fi
  (cd "$work" && env -u KORVALITH_ANSWERS KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=30 \
     XDG_DATA_HOME="$work/data" ALSOFT_DRIVERS=null "${answers[@]}" timeout 60 "$player" > "$work/out.txt" 2>&1 < /dev/null)
  status=$?
}

for answer in "é/picked.win" "$work/é/picked.win" "é/PICKED.WIN"; do
  run "$answer"
  [ "$status" = 0 ] || fail "$answer: exit $status"
  [ "$(head -n 1 "$work/out.txt")" = "Open" ] || fail "$answer: the dialog's title is not the first line"
  grep -qx "RunnerLoadGame() - $work/é/picked.win" "$work/out.txt" || fail "$answer: not the whole path loaded"
  grep -qx "picked game runs" "$work/out.txt" || fail "$answer: the game did not run"
done

for answer in NONE "Cancel" "" "é" "é/missing.win"; do
  if [ "$answer" = NONE ]; then run; else run "$answer"; fi
  [ "$status" = 1 ] || fail "'$answer': exit $status, expected 1"
  grep -qx "Open" "$work/out.txt" || fail "'$answer': no dialog title"
  grep -q "RunnerLoadGame()" "$work/out.txt" && fail "'$answer': a game was loaded"
done
# Not headless but with no desktop to show it on, the dialog answers as
# headless rather than waiting unseen.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS ALSOFT_DRIVERS=null \
   timeout 60 "$player" > "$work/out.txt" 2>&1 < /dev/null)
status=$?
[ "$status" = 1 ] || fail "no desktop: exit $status, expected 1"
grep -qx "Open" "$work/out.txt" || fail "no desktop: no dialog title"
echo "start-up dialog answers passed"
