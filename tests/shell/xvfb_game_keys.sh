#!/usr/bin/env bash
# xvfb_game_keys.sh MKGAME PLAYER, run on a private X server by xvfb_run.sh
# (no window manager).
# 1. Keys the game presses and releases itself read the same, step by step,
#    headless and in a window: a press and a release in one step read as
#    released only in the next, and a key pressed after them as pressed.
# 2. A person's quick taps in the window are each read pressed in one step
#    and released in a later one, never both in one step, and the game's own
#    keys pressed behind a tap do not wait with its release; the run's input recording, played back
#    headless, reads every step the same.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

# The keys are read for the first steps of the run and again around step 20,
# where the game presses keys once more; every other step that reads a key
# prints it too. With a file "taps" beside it the game goes on for a person
# to type into it.
cat > "$work/own.json" <<'JSON'
{
  "name": "Own Keys",
  "window": {"width": 320, "height": 240},
  "scripts": {
    "report": "var k, s; s = \"\"; for (k = 8; k < 256; k += 1) { if (keyboard_check(k) || keyboard_check_pressed(k) || keyboard_check_released(k)) s += \" \" + chr(k) + string(keyboard_check(k)) + string(keyboard_check_pressed(k)) + string(keyboard_check_released(k)); } if (argument0 || s != \"\") show_debug_message(\"step \" + string(steps) + s);"
  },
  "objects": {
    "presser": {
      "events": {
        "create": "steps = 0; last = 25; if (file_exists(\"taps\")) last = 200; keyboard_key_press(ord(\"P\")); keyboard_key_release(ord(\"P\"));",
        "other:2": "keyboard_key_press(ord(\"G\"));",
        "step": "steps += 1; report(steps <= 4 || (steps >= 20 && steps <= 23));\nif (steps == 3) keyboard_key_release(ord(\"G\"));\nif (steps == 20) { keyboard_key_press(ord(\"Q\")); keyboard_key_release(ord(\"Q\")); keyboard_key_press(ord(\"R\")); keyboard_key_release(ord(\"S\")); }\nif (steps == 22) keyboard_key_release(ord(\"R\"));\nif (steps == 30) show_debug_message(\"ready\");\nif (steps == 100 && last == 200) { show_debug_message(\"spinning\"); var t; t = current_time; while (!file_exists(\"tapped\") && current_time - t < 10000) {} keyboard_key_press(ord(\"K\")); keyboard_key_release(ord(\"K\")); }\nif (steps == last) game_end();"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 30, "instances": [{"object": "presser"}]}]
}
JSON
"$mkgame" "$work/own.json" -o "$work/own.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=100 XDG_DATA_HOME="$work/data" \
    ALSOFT_DRIVERS=null "$player" -game "$work/own.win" > "$work/headless.txt" 2>&1 < /dev/null ||
  { cat "$work/headless.txt"; echo "FAIL: the headless run failed"; exit 1; }
grep '^step ' "$work/headless.txt" > "$work/headless_steps.txt"
grep -qx "step 1 G110 P001" "$work/headless_steps.txt" || { cat "$work/headless.txt"; echo "FAIL: headless step 1"; exit 1; }

# Without a window manager the keyboard follows the pointer: it rests where
# the window comes up.
timeout 20 xdotool mousemove 400 300 || fail "xdotool could not move the pointer"
start_game "$player" "$work/own.win"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep '^step ' "$work/out.txt" > "$work/window_steps.txt"
diff "$work/headless_steps.txt" "$work/window_steps.txt" > "$work/diff.txt" ||
  fail "the game's own keys read differently in a window (< headless, > window):
$(cat "$work/diff.txt")"

# A person taps five keys, a millisecond apart, then holds B a while.
touch "$work/taps"
mkdir -p "$work/data"
env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null \
    "$player" -game "$work/own.win" -record "$work/taps.rec" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
player_pid=$!
soon grep -qx "ready" "$work/out.txt" || fail "the game never said ready"
focus_window "Own Keys"
# Two bursts: a step that comes later than the hold allows (a loaded
# machine) lets a release go unheld, as it is meant to, and one burst is
# enough to show the hold.
timeout 20 xdotool key --delay 1 a z x c v || fail "xdotool could not tap"
sleep 0.3
timeout 20 xdotool key --delay 1 d f h j l || fail "xdotool could not tap"
sleep 0.3
timeout 20 xdotool keydown b && sleep 0.2 && timeout 20 xdotool keyup b || fail "xdotool could not hold B"
# A tap while the game's step runs, then the game's own K: the tap's release
# waits for a step to read the press, the game's keys do not wait behind it.
soon grep -qx "spinning" "$work/out.txt" || fail "the game never spun"
timeout 20 xdotool key n || fail "xdotool could not tap N"
touch "$work/tapped"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep '^step ' "$work/out.txt" > "$work/tapped.txt"
# burst_read KEYS...: each key read pressed once and released once.
burst_read() {
  for key in "$@"; do
    [ "$(grep -c " ${key}110" "$work/tapped.txt")" = 1 ] && [ "$(grep -c " ${key}001" "$work/tapped.txt")" = 1 ] ||
      return 1
  done
}
burst_read A Z X C V || burst_read D F H J L || fail "no burst of taps read each tap pressed once and released once:
$(cat "$work/tapped.txt")"
grep -q ' [A-Z][01]11\| [A-Z]1[01]1' "$work/tapped.txt" && fail "a tap read pressed and released in one step:
$(cat "$work/tapped.txt")"
grep -m 1 ' N[01]' "$work/tapped.txt" | grep -q ' K001' ||
  fail "the game's own K waited behind the person's N: $(cat "$work/tapped.txt")"
grep -q ' B110' "$work/tapped.txt" && grep -q ' B100' "$work/tapped.txt" && grep -q ' B001' "$work/tapped.txt" ||
  fail "B held a while did not read pressed, held and released: $(cat "$work/tapped.txt")"

env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=1000 XDG_DATA_HOME="$work/data" \
    ALSOFT_DRIVERS=null "$player" -game "$work/own.win" -playback "$work/taps.rec" > "$work/played.txt" 2>&1 < /dev/null ||
  { cat "$work/played.txt"; fail "the playback failed"; }
grep '^step ' "$work/played.txt" > "$work/played_steps.txt"
diff "$work/tapped.txt" "$work/played_steps.txt" > "$work/diff.txt" ||
  fail "the playback read other keys than the window (< window, > playback):
$(cat "$work/diff.txt")"
echo "game keys test passed"
