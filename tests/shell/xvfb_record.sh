#!/usr/bin/env bash
# xvfb_record.sh MKGAME PLAYER, run through xvfb_run.sh (800 x 600, no window
# manager)
# A 320 x 240 game with a resizable frame is recorded ("-record") in a real
# window that someone else sizes to 640 x 480 and then turns full screen
# with Alt+Enter, the pointer moved and clicked in each; played back
# headless, where the window keeps its own size, the game must read every
# step the same: the mouse in the room and through device 0, the window's
# size and its full-screen wish.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

cat > "$work/game.json" <<'JSON'
{
  "name": "Recorded Window",
  "window": {"width": 320, "height": 240},
  "options": {"alt_enter": true},
  "objects": {
    "reader": {
      "events": {
        "create": "lastX = -1; lastY = -1; lastW = -1; lastH = -1; lastFull = -1; show_debug_message(\"ready\");",
        "step": "if (mouse_x != lastX || mouse_y != lastY) { lastX = mouse_x; lastY = mouse_y; show_debug_message(\"mouse \" + string(lastX) + \" \" + string(lastY) + \" device \" + string(device_mouse_x(0)) + \" \" + string(device_mouse_y(0))); }\nif (window_get_width() != lastW || window_get_height() != lastH) { lastW = window_get_width(); lastH = window_get_height(); show_debug_message(\"size \" + string(lastW) + \" \" + string(lastH)); }\nif (window_get_fullscreen() != lastFull) { lastFull = window_get_fullscreen(); show_debug_message(\"full \" + string(lastFull)); }\nif (mouse_check_button_pressed(mb_left)) show_debug_message(\"click \" + string(mouse_x) + \" \" + string(mouse_y));\nif (keyboard_check_pressed(ord(\"Q\"))) game_end();"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 30, "instances": [{"object": "reader"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/recorded.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
set_window_flags "$work/recorded.win" $((0x40))

mkdir -p "$work/data"
env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS KORVALITH_MAX_FRAMES=20000 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null "$player" -game "$work/recorded.win" -record "$work/run.rec" \
    > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
player_pid=$!
soon grep -qx ready "$work/out.txt" || fail "the game never said ready"
focus_window "Recorded Window"
said() { grep -qx "$1" "$work/out.txt"; }
# said_more LINE N: LINE said more than N times.
count() { grep -cx "$1" "$work/out.txt"; }
said_more() { [ "$(count "$1")" -gt "$2" ]; }
# click X Y LINE: a left click at client (X, Y), read by the game as LINE.
click() {
  local at=${3#click } moved clicked
  moved=$(count "mouse $at device $at") clicked=$(count "$3")
  timeout 20 xdotool mousemove --window "$wid" "$1" "$2" || fail "xdotool could not move the pointer"
  soon said_more "mouse $at device $at" "$moved" || fail "the pointer at $1,$2 was not read as $at"
  timeout 20 xdotool click 1 || fail "xdotool could not click"
  soon said_more "$3" "$clicked" || fail "the click at $1,$2 was not read as $3"
}

timeout 20 xdotool windowmove "$wid" 0 0 || fail "xdotool could not move the window"
timeout 20 xdotool windowsize "$wid" 640 480 || fail "xdotool could not size the window"
soon said "size 640 480" || fail "the game never read the size 640 480"
click 320 240 "click 160 120"
click 100 50 "click 50 25"
timeout 20 xdotool key alt+Return || fail "xdotool could not press Alt+Enter"
soon said "full 1" || fail "Alt+Enter never made the window full screen"
soon said "size 800 600" || fail "the game never read the full screen's size"
click 400 300 "click 160 120"
click 700 100 "click 280 40"
timeout 20 xdotool key q || fail "xdotool could not press Q"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"

env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=100000 XDG_DATA_HOME="$work/data" \
    ALSOFT_DRIVERS=null "$player" -game "$work/recorded.win" -playback "$work/run.rec" > "$work/played.txt" 2>&1 \
    < /dev/null || { cat "$work/played.txt"; fail "the playback failed"; }
pattern='^\(mouse\|size\|full\|click\) '
grep "$pattern" "$work/out.txt" > "$work/window_lines.txt"
grep "$pattern" "$work/played.txt" > "$work/played_lines.txt"
diff "$work/window_lines.txt" "$work/played_lines.txt" > "$work/diff.txt" ||
  fail "the playback read another window than the recorded run (< window, > playback):
$(cat "$work/diff.txt")"
echo "recorded window test passed"
