#!/usr/bin/env bash
# xvfb_debugger.sh MKGAME PLAYER, run on a private X server by xvfb_run.sh
# (no window manager). A game with "-debug" opens the debugger's window
# beside its own; a click on the window's Pause stops the steps, one on Step
# runs one, one on Run resumes them, and the game then ends with status 0,
# the debugger's pane placement kept in Debug.ini.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

cat > "$work/game.json" <<'JSON'
{
  "name": "Debug Window Test",
  "objects": {
    "counter": {
      "events": {
        "create": "steps = 0;",
        "step": "steps += 1; show_debug_message(\"step \" + string(steps)); if (steps == 20) show_debug_message(\"ready\"); if (steps == 150) game_end();"
      }
    }
  },
  "rooms": [{"speed": 30, "instances": [{"object": "counter"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

mkdir -p "$work/data"
env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS KORVALITH_MAX_FRAMES=3000 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null "$player" -game "$work/game.win" -debug \
    > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
player_pid=$!

soon grep -qx "ready" "$work/out.txt" || fail "the game never got going"
soon xwininfo -name "Debugger" > /dev/null 2>&1
info=$(xwininfo -name "Debugger" 2>&1) || fail "no window titled Debugger: $info"
wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
last_step() { grep -o "^step [0-9]*$" "$work/out.txt" | tail -n 1 | cut -d' ' -f2; }
# The toolbar's first row, 16-pixel text: Run, Pause, Step from the left.
click() {
  timeout 20 xdotool mousemove --window "$wid" "$1" 19 click 1 || fail "xdotool could not click at $1"
}
# The steps stand still for a second.
still() {
  local before
  before=$(last_step)
  sleep 1
  [ "$(last_step)" = "$before" ]
}
click 75
within 300 still || fail "Pause did not stop the steps (at $(last_step))"
paused=$(last_step)
kill -0 "$player_pid" 2> /dev/null || fail "the game ended instead of pausing"
click 130
at_step() { [ "$(last_step)" = "$1" ]; }
soon at_step $((paused + 1)) || fail "Step did not run one step (after $paused: $(last_step))"
sleep 0.5
[ "$(last_step)" = $((paused + 1)) ] || fail "Step ran more than one step"
click 25
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "step 150" "$work/out.txt" || fail "Run did not resume the game"
grep -q "^left=[1-9]" "$work/data/Debug Window Test/Debug.ini" || fail "no pane placement kept: $(cat "$work/data/Debug Window Test/Debug.ini")"
echo "debugger window test passed"
