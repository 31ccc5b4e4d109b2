#!/usr/bin/env bash
# quit_signals.sh MKGAME PLAYER
# A headless game stuck in a loop in its first event never reaches its
# message pump: SIGTERM, SIGINT, or SIGTERM sent twice must still end the
# player within seconds, as a death by that signal (exit 128 + its number).
# A game that takes the quit but whose Game End event loops is ended the
# same way; one whose Game End event returns exits 0 after the end-of-run
# writes (its highscore table, the INI file it left open), on SIGHUP too,
# and when one `timeout` signals the player and its group. A player killed
# in the middle of its writes leaves an earlier file whole, and the empty
# file a handle showed under a new name at its open.
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

for game in looping ending writing; do
  "$mkgame" "$here/$game.json" -o "$work/$game.win" > "$work/mkgame.txt" 2>&1 || fail "mkgame: $(cat "$work/mkgame.txt")"
done

. "$here/looping_support.sh"
# Signal $1 (number $2) sent $3 times to the looping game.
ends_by() {
  start_looping KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="$work/data"
  signal_looping "$@"
}
ends_by TERM 15 1
ends_by INT 2 1
ends_by TERM 15 2

# Signal $1 (number $2) sent once; $3: whether the Game End event loops.
# Its save folder is named after the game, not after the file.
ends_game() {
  local name=$1 number=$2 loops=$3 folder="$work/end_$1_$3/Signalled Ending"
  start_game "$work/ending.win" ready KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="${folder%/*}" \
    KV_END_LOOPS="$loops"
  if [ "$loops" = 1 ]; then
    signal_looping "$name" "$number" 1
    grep -qx "game end" "$work/out.txt" || fail "$name: the Game End event did not run"
    # Ended as by a second signal: the end-of-run writes never came.
    [ -e "$folder/hiscore.dat" ] && fail "$name: a looping Game End event wrote the highscore table"
    return
  fi
  signal_looping "$name" "$number" 1 0
  grep -qa "signalled" "$folder/hiscore.dat" 2> /dev/null || fail "$name: the highscore table was not written"
  grep -q "^value=7" "$folder/open.ini" 2> /dev/null || fail "$name: the open INI file was not written"
}
while read -r name number loops; do
  ends_game "$name" "$number" "$loops"
done <<CASES
TERM 15 1
INT 2 1
HUP 1 1
TERM 15 0
INT 2 0
HUP 1 0
CASES
# One `timeout` is one request, though it sends its signal to the player and
# then to its whole group: the game ends its own way, its writes done.
for round in 1 2 3; do
  folder="$work/timeout_$round/Signalled Ending"
  env KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="${folder%/*}" KV_END_LOOPS=0 \
    timeout 4 "$player" -game "$work/ending.win" > "$work/out.txt" 2> "$work/err.txt" < /dev/null
  status=$?
  [ $status -eq 124 ] || fail "timeout, round $round: exit $status, expected timeout's 124"
  grep -qa "signalled" "$folder/hiscore.dat" 2> /dev/null || fail "timeout, round $round: the highscore table was not written"
done
folder="$work/killed/Killed Writer"
mkdir -p "$folder"
printf 'first' > "$folder/old.txt"
start_game "$work/writing.win" written KORVALITH_HEADLESS=1 ALSOFT_DRIVERS=null XDG_DATA_HOME="${folder%/*}"
signal_looping KILL 9 1
[ -f "$folder/new.txt" ] && [ ! -s "$folder/new.txt" ] || fail "KILL: no empty file under the new name"
[ "$(cat "$folder/old.txt")" = first ] || fail "KILL: the earlier file is not whole: $(cat "$folder/old.txt")"
echo "quit signals test passed"
