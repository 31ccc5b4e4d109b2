#!/usr/bin/env bash
# window_end.sh MKGAME PLAYER GAMES_FOLDER (on an X server: xvfb_run.sh)
# The sanitizer build's player in a window, ended by the game, under the
# leak checker with nothing left out from outside: the blocks the desktop
# libraries keep to the end are the player's own suppressions' business,
# so a clean end is status 0 and no report.
set -u
mkgame=$1 player=$2 games=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_window_end_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$mkgame" "$games/hello.json" -o "$work/hello.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
env -u LSAN_OPTIONS KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=20 XDG_DATA_HOME="$work/data" \
    timeout 300 "$player" -game "$work/hello.win" > "$work/player.txt" 2>&1 < /dev/null
status=$?
if [ $status -ne 0 ] || grep -q 'Sanitizer' "$work/player.txt"; then
  echo "FAIL: a clean end in a window ended with $status, expected 0 and no report"
  grep -A16 'Sanitizer' "$work/player.txt" | head -40
  exit 1
fi
echo "window end passed"
