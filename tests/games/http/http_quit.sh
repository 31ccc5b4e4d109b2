#!/usr/bin/env bash
# http_quit.sh SERVER MKGAME PLAYER
# A game asks for an answer that trickles in (a byte every 10 ms, 1,000 s
# in all) and is sent SIGTERM while it waits: the request is abandoned, the
# Game End event runs and the player exits 0 as for a quit, well within the
# quit's grace time.
set -u
server=$1 mkgame=$2 player=$3
. "$(dirname "$0")/loopback_support.sh"
start_server "$server"

cat > "$work/quit.json" <<JSON
{
  "name": "Trickle Quit",
  "objects": {
    "asker": {
      "events": {
        "create": "show_debug_message(\"asking\"); http_get(\"http://127.0.0.1:$port/trickle\"); show_debug_message(\"asked\");",
        "other:62": "show_debug_message(\"answer\");",
        "other:3": "show_debug_message(\"game end\");"
      }
    }
  },
  "rooms": [{"speed": 30, "instances": [{"object": "asker"}]}]
}
JSON
"$mkgame" "$work/quit.json" -o "$work/quit.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

env KORVALITH_HEADLESS=1 KORVALITH_MAX_FRAMES=100 XDG_DATA_HOME="$work/data" ALSOFT_DRIVERS=null \
  "$player" -game "$work/quit.win" > "$work/out.txt" 2>&1 < /dev/null &
player_pid=$!
for _ in $(seq 300); do
  grep -qx asking "$work/out.txt" && break
  sleep 0.1
done
grep -qx asking "$work/out.txt" || { kill -KILL $player_pid; cat "$work/out.txt"; echo "FAIL: the game never asked"; exit 1; }
sleep 0.5  # into the answer's trickle
start=$(date +%s%N)
kill -TERM $player_pid
wait $player_pid
status=$?
took=$((($(date +%s%N) - start) / 1000000))
fail=0
[ $status = 0 ] || { echo "FAIL: exit status $status, expected 0 as for a quit"; fail=1; }
grep -qx "game end" "$work/out.txt" || { echo "FAIL: the Game End event did not run"; fail=1; }
grep -qx "answer" "$work/out.txt" && { echo "FAIL: the abandoned request raised its event"; fail=1; }
[ $took -lt 2500 ] || { echo "FAIL: the quit took $took ms"; fail=1; }
[ $fail = 0 ] || { echo "---- player output"; cat "$work/out.txt"; }
exit $fail
