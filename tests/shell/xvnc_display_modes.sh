#!/usr/bin/env bash
# xvnc_display_modes.sh MKGAME PLAYER
# On a private X server that offers several display modes (Xvnc, started at
# 1024x768): a game switches to a listed mode and reads it back, while an
# unlisted or oversized one changes nothing; once the game ends the server
# is in its starting mode again, after a normal end, after a fatal error
# (exit 255, and nothing from the sound library after the report), and
# after SIGTERM or SIGINT have ended a game stuck in a loop (exit as by the
# signal). Skipped (status 77) when Xvnc is not installed.
set -u
mkgame=$1 player=$2
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v Xvnc > /dev/null; then
  echo "SKIP: Xvnc is not installed (Debian package tigervnc-standalone-server)"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_xvnc_XXXXXX")
xvnc_pid=""
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill -KILL "$player_pid" 2>/dev/null
  [ -n "$xvnc_pid" ] && kill "$xvnc_pid" 2>/dev/null && wait "$xvnc_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "---- player output"; cat "$work/out.txt" 2>/dev/null
  echo "---- player errors"; cat "$work/err.txt" 2>/dev/null
  exit 1
}

command -v xrandr > /dev/null || fail "xrandr is not installed (Debian package x11-xserver-utils)"
exec 3> "$work/display"
Xvnc -displayfd 3 -geometry 1024x768 -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp \
  > "$work/xvnc.txt" 2>&1 &
xvnc_pid=$!
exec 3>&-
for _ in $(seq 1 300); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvnc.txt"; fail "the X server did not start"; }
export DISPLAY=":$(head -n 1 "$work/display")"

# The server's current size, as xrandr reports it.
mode() { xrandr 2> /dev/null | sed -n 's/^Screen 0:.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
[ "$(mode)" = 1024x768 ] || fail "the server started at $(mode)"

for game in modes fatal; do
  "$mkgame" "$here/display_modes/$game.json" -o "$work/$game.win" > "$work/mkgame.txt" 2>&1 ||
    fail "mkgame $game: $(cat "$work/mkgame.txt")"
done
"$mkgame" "$here/../games/quitting/looping.json" -o "$work/looping.win" > "$work/mkgame.txt" 2>&1 ||
  fail "mkgame looping: $(cat "$work/mkgame.txt")"

play() {
  env -u KORVALITH_HEADLESS LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null \
    timeout 60 "$player" -game "$work/$1.win" > "$work/out.txt" 2> "$work/err.txt" < /dev/null
}

# $1: what the run was; the lines that follow must all be in the output.
expect_lines() {
  local what=$1 line; shift
  for line in "$@"; do grep -qx "$line" "$work/out.txt" || fail "$what: no line \"$line\""; done
}

play modes
status=$?
[ $status -eq 0 ] || fail "modes: exit $status"
expect_lines modes "start 1024x768" "listed 1 800x600" "unlisted 0 800x600" "huge 0 800x600" "test 1 0" \
  "depth 0 all 1 640x480"
[ "$(mode)" = 1024x768 ] || fail "modes: the server is left at $(mode)"

play fatal
status=$?
[ $status -eq 255 ] || fail "fatal: exit $status"
expect_lines fatal "changed 1"
grep -q "^AL lib" "$work/err.txt" && fail "fatal: the sound library spoke after the report"
[ "$(mode)" = 1024x768 ] || fail "fatal: the server is left at $(mode)"

. "$here/../games/quitting/looping_support.sh"
# A game stuck in a loop after a change, ended by signal $1 (its number $2).
stopped_by() {
  start_looping -u KORVALITH_HEADLESS LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null
  expect_lines "$1" "changed 1"
  [ "$(mode)" = 800x600 ] || fail "$1: the game's change did not reach the server ($(mode))"
  signal_looping "$1" "$2" 1
  [ "$(mode)" = 1024x768 ] || fail "$1: the server is left at $(mode)"
}
stopped_by TERM 15
stopped_by INT 2
echo "display modes test passed"
