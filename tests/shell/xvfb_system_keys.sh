#!/usr/bin/env bash
# xvfb_system_keys.sh MKGAME PLAYER, run on a private X server by
# xvfb_run.sh (no window manager). Keys the game presses itself are typed on
# the X server's keyboard: with the game's window focused, a pressed key
# comes back as a typed key and keyboard_check sees it the next step; with
# another program's window focused, that program gets the key and the game
# does not. keyboard_set_numlock turns the server's Num Lock light on and off.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"
other_pid=""
trap '[ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null; [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null;
      rm -rf "$work"' EXIT

# The game moves on when the files go, away and done appear beside it.
cat > "$work/game.json" <<'JSON'
{
  "name": "Keys Test",
  "window": {"width": 320, "height": 240},
  "objects": {
    "typist": {
      "events": {
        "create": "phase = 0; show_debug_message(\"ready\");",
        "step": "if (phase == 0 && file_exists(\"go\")) { keyboard_key_press(ord(\"K\")); show_debug_message(\"pressed K, held \" + string(keyboard_check(ord(\"K\")))); phase = 1; }\nelse if (phase == 1) { show_debug_message(\"next step held \" + string(keyboard_check(ord(\"K\")))); keyboard_key_release(ord(\"K\")); phase = 2; }\nelse if (phase == 2) { show_debug_message(\"then released \" + string(keyboard_check_released(ord(\"K\")))); show_debug_message(\"numlock \" + string(keyboard_get_numlock())); keyboard_set_numlock(true); show_debug_message(\"numlock set \" + string(keyboard_get_numlock())); phase = 3; }\nelse if (phase == 3 && file_exists(\"away\")) { keyboard_set_numlock(false); keyboard_key_press(ord(\"J\")); keyboard_key_release(ord(\"J\")); keyboard_key_press(300); show_debug_message(\"typed J\"); phase = 4; }\nelse if (phase == 4 && file_exists(\"done\")) { game_end(); }",
        "keypress:ord_K": "show_debug_message(\"key press event K\");",
        "keypress:ord_J": "show_debug_message(\"key press event J\");"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 30, "instances": [{"object": "typist"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

numlock() { xset q | sed -n 's/.*Num Lock: *\([a-z]*\).*/\1/p'; }
[ "$(numlock)" = off ] || fail "Num Lock is on before the game starts"

start_game "$player" "$work/game.win"
soon grep -qx "ready" "$work/out.txt" || fail "the game never said ready"
info=$(xwininfo -name "Keys Test" 2>&1) || fail "no window titled Keys Test: $info"
wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"

touch "$work/go"
soon grep -q "^numlock set" "$work/out.txt" || fail "the game never set Num Lock"
for line in "pressed K, held 0" "next step held 1" "key press event K" "then released 1" "numlock 0" "numlock set 1"; do
  grep -qxF "$line" "$work/out.txt" || fail "no line \"$line\""
done
[ "$(numlock)" = on ] || fail "the server's Num Lock light stayed $(numlock)"

# Another program takes the focus: the key the game presses now is its.
stdbuf -oL xev -event keyboard -name "Key Watcher" -geometry 100x100+650+450 > "$work/xev.txt" 2>&1 &
other_pid=$!
soon xwininfo -name "Key Watcher" > /dev/null 2>&1 || fail "the other program's window never appeared"
other=$(xwininfo -name "Key Watcher" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
timeout 20 xdotool windowfocus --sync "$other" || fail "xdotool could not focus window $other"
touch "$work/away"
soon grep -qx "typed J" "$work/out.txt" || fail "the game never typed J"
soon grep -q "keysym 0x6a, j)" "$work/xev.txt" || fail "the other program never got J: $(cat "$work/xev.txt")"
[ "$(grep -c "keysym 0x6a, j)" "$work/xev.txt")" = 2 ] || fail "J not pressed and released once: $(cat "$work/xev.txt")"
[ "$(numlock)" = off ] || fail "the server's Num Lock light stayed $(numlock)"

touch "$work/done"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "key press event J" "$work/out.txt" && fail "the game got the key typed into another window"
echo "system keys test passed"
