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

# Signal $1 (number $2) sent $3 times to the looping game.
ends_by() {
  local name=$1 number=$2 times=$3
  rm -f "$work/out.txt"  # the last run's lines must not count for this one
  KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="$work/data" \
    "$player" -game "$work/looping.win" > "$work/out.txt" 2>&1 < /dev/null &
  player_pid=$!
  for _ in $(seq 1 300); do
    grep -q "^changed" "$work/out.txt" 2> /dev/null && break
    sleep 0.1
  done
  grep -q "^changed" "$work/out.txt" || fail "$name: the game never started its loop"
  for _ in $(seq 1 "$times"); do kill -"$name" "$player_pid"; done
  for _ in $(seq 1 200); do
    kill -0 "$player_pid" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$player_pid" 2> /dev/null && fail "$name x$times: the player still runs 20 seconds later"
  wait "$player_pid"
  local status=$?
  player_pid=""
  [ $status -eq $((128 + number)) ] || fail "$name x$times: exit $status, expected $((128 + number))"
}
ends_by TERM 15 1
ends_by INT 2 1
ends_by TERM 15 2
echo "quit signals test passed"
