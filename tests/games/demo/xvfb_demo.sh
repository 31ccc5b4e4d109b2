#!/usr/bin/env bash
# xvfb_demo.sh MKGAME PLAYER GAMES_DIR, run on a private X server by
# xvfb_run.sh. The bundled demo in a real window: the right arrow held down
# steers the ship into the first coin (the score line changes), then Escape
# asks "Quit?" and Return (Yes) ends the game with exit status 0.
set -u
mkgame=$1 player=$2 games=$3
. "$(dirname "$0")/../../shell/desktop_game_support.sh"

"$games/demo/build.sh" "$mkgame" "$work/demo.win" > "$work/build.txt" 2>&1 || { cat "$work/build.txt"; exit 1; }
start_game "$player" "$work/demo.win"

soon grep -qx "demo started" "$work/out.txt" || fail "the demo never started"
# The window is titled with the game name.
soon xdotool search --onlyvisible --name "^Korvalith demo" > "$work/windows.txt" 2> /dev/null ||
  fail "no window titled Korvalith demo"
wid=$(head -n 1 "$work/windows.txt")
timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
timeout 20 xdotool keydown Right || fail "xdotool could not press Right"
soon grep -qx "score 10" "$work/out.txt"
found=$?
timeout 20 xdotool keyup Right
[ $found -eq 0 ] || fail "the score never changed"
timeout 20 xdotool key Escape || fail "xdotool could not press Escape"
sleep 1
timeout 20 xdotool key Return || fail "xdotool could not press Return"

for _ in $(seq 1 300); do kill -0 "$player_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$player_pid" 2>/dev/null && fail "the demo did not end on Escape and Yes"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
echo "demo window test passed"
