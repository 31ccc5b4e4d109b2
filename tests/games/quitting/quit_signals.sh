#!/usr/bin/env bash
# quit_signals.sh MKGAME PLAYER
# A headless game stuck in a loop in its first event never reaches its
# message pump: SIGTERM, SIGINT, or SIGTERM sent twice must still end the
# player within seconds, as a death by that signal (exit 128 + its number).
set -u
mkgame=$1 player=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_quit_XXXXXX")
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill -KILL "$player_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "---- player output"; cat "$work/out.txt" 2>/dev/null
  exit 1
}

"$mkgame" "$here/looping.json" -o "$work/looping.win" > "$work/mkgame.txt" 2>&1 || fail "mkgame: $(cat "$work/mkgame.txt")"

. "$here/looping_support.sh"
# Signal $1 (number $2) sent $3 times to the looping game.
ends_by() {
  start_looping KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="$work/data"
  signal_looping "$@"
}
ends_by TERM 15 1
ends_by INT 2 1
ends_by TERM 15 2
echo "quit signals test passed"
