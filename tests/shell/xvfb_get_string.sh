#!/usr/bin/env bash
# xvfb_get_string.sh MKGAME PLAYER, run on a private X server by
# xvfb_run.sh (no window manager). A game asks for a name with get_string;
# the name typed into its window and Return answer it, the keys never reach
# the game, and the game then shows an asynchronous message that Return
# closes, which it hears of as event 63.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

cat > "$work/game.json" <<'JSON'
{
  "name": "Ask Test",
  "window": {"width": 480, "height": 320},
  "objects": {
    "asker": {
      "events": {
        "create": "steps = 0;",
        "step": "steps += 1;\nif (steps == 2) { show_debug_message(\"asking\"); show_debug_message(\"got \" + get_string(\"Name\", \"\")); show_debug_message(\"message \" + string(show_message_async(\"Bye\"))); }",
        "keypress:ord_H": "show_debug_message(\"the game saw H\");",
        "other:63": "show_debug_message(\"closed \" + string(ds_map_find_value(async_load, \"id\"))); game_end();"
      }
    }
  },
  "rooms": [{"width": 480, "height": 320, "speed": 30, "instances": [{"object": "asker"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

start_game "$player" "$work/game.win"

soon grep -qx "asking" "$work/out.txt" || fail "the game never asked"
focus_window "Ask Test"
timeout 20 xdotool type --delay 30 "Hal" || fail "xdotool could not type"
timeout 20 xdotool key Return || fail "xdotool could not press Return"
soon grep -qx "message 0" "$work/out.txt" || fail "get_string never answered"
grep -qx "got Hal" "$work/out.txt" || fail "another answer: $(grep '^got' "$work/out.txt")"
sleep 0.5
timeout 20 xdotool key Return || fail "xdotool could not press Return"

wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "closed 0" "$work/out.txt" || fail "the message's event never came"
grep -qx "the game saw H" "$work/out.txt" && fail "a key typed into the dialog reached the game"
echo "get_string test passed"
