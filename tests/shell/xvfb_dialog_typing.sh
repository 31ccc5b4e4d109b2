#!/usr/bin/env bash
# xvfb_dialog_typing.sh MKGAME PLAYER, run on a private X server by
# xvfb_run.sh (no window manager). Keys typed into a game's dialogs with
# fields, quickly, reach the field that had the focus when each was typed:
# the login dialog beside the running game, Tab moving between its fields,
# at 60 ms and 30 ms a key.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

cat > "$work/game.json" <<'JSON'
{
  "name": "Typing Test",
  "window": {"width": 480, "height": 320},
  "objects": {
    "asker": {
      "events": {
        "create": "steps = 0; asked = 0;",
        "step": "steps += 1; if (steps == 2 || (asked == 1 && file_exists(\"next\"))) { asked += 1; file_delete(\"next\"); get_login_async(\"\", \"\"); show_debug_message(\"login \" + string(asked)); }",
        "other:63": "show_debug_message(\"user \" + ds_map_find_value(async_load, \"username\") + \" password \" + ds_map_find_value(async_load, \"password\"));"
      }
    }
  },
  "rooms": [{"width": 480, "height": 320, "speed": 30, "instances": [{"object": "asker"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

start_game "$player" "$work/game.win"
soon grep -qx "login 1" "$work/out.txt" || fail "the game never asked for a login"
focus_window "Typing Test"
sleep 0.5
timeout 20 xdotool type --delay 60 $'ab\tzyxw' || fail "xdotool could not type"
timeout 20 xdotool key Return || fail "xdotool could not press Return"
soon grep -q "^user " "$work/out.txt" || fail "the first login never answered"
grep -qx "user ab password zyxw" "$work/out.txt" || fail "typed at 60 ms: $(grep '^user' "$work/out.txt")"

touch "$work/next"
soon grep -qx "login 2" "$work/out.txt" || fail "the game never asked for a second login"
sleep 0.5
timeout 20 xdotool type --delay 30 $'cd\tzz' || fail "xdotool could not type"
timeout 20 xdotool key Return || fail "xdotool could not press Return"
answers() { [ "$(grep -c '^user ' "$work/out.txt")" = "$1" ]; }
soon answers 2 || fail "the second login never answered"
grep -qx "user cd password zz" "$work/out.txt" || fail "typed at 30 ms: $(grep '^user' "$work/out.txt")"

kill "$player_pid" 2>/dev/null
wait "$player_pid" 2>/dev/null
player_pid=""
echo "dialog typing test passed"
