#!/usr/bin/env bash
# xvfb_window.sh MKGAME PLAYER [input]
# Runs a small game in a real window on a private X server (800x600, no
# window manager): the window must be 320x240, centred, titled after the
# game, and a key typed into it must reach the game, which then ends.
# With "input" the game places its window at 100,50 and shows the title
# "Other" beside its caption; the pointer moved over it must reach the
# window and display mouse positions, and the Left key held down must read
# as held at that moment, until it is let go.
# With "pause" the focus moves from the game's window to another program's
# window: the operating system's pause event must be raised, registered for
# one step (os_is_paused reads 1 in it and only in it) and unregistered.
set -u
mkgame=$1 player=$2 mode=${3:-window}

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_xvfb_XXXXXX")
xvfb_pid=""
player_pid=""
other_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null
  [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "---- player output"; cat "$work/out.txt" 2>/dev/null
  echo "---- player errors"; cat "$work/err.txt" 2>/dev/null
  exit 1
}

# Waits up to $1 tenths of a second for command "$2..." to succeed.
wait_for() {
  local tries=$1; shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

# The input game's checks, once it is ready.
check_input() {
  grep -qx "at 100 50 Input Test" "$work/out.txt" || fail "the game did not read its window at 100,50"
  local info
  info=$(xwininfo -name "Other" 2>&1) || fail "no window titled Other: $info"
  local x y
  x=$(echo "$info" | sed -n 's/^ *Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p')
  y=$(echo "$info" | sed -n 's/^ *Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p')
  [ "$x,$y" = "100,50" ] || fail "window at $x,$y"
  timeout 20 xdotool mousemove 130 80 || fail "xdotool could not move the pointer"
  wait_for 100 grep -qx "mouse 30 30 display 130 80" "$work/out.txt" || fail "the pointer never reached the game"
  local wid
  wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
  timeout 20 xdotool keydown Left || fail "xdotool could not press Left"
  wait_for 100 grep -qx "left held" "$work/out.txt" || fail "Left never read as held"
  timeout 20 xdotool keyup Left || fail "xdotool could not let Left go"
  wait "$player_pid"
  local status=$?
  player_pid=""
  [ "$status" = 0 ] || fail "exit status $status"
  grep -qx "left let go" "$work/out.txt" || fail "Left never read as let go"
  echo "input test passed"
}

# The pause game's checks, once it is ready.
check_pause() {
  local info wid other
  info=$(xwininfo -name "Pause Test" 2>&1) || fail "no window titled Pause Test: $info"
  wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
  xlogo -geometry 50x50+600+400 > "$work/xlogo.txt" 2>&1 &
  other_pid=$!
  wait_for 100 xwininfo -name xlogo > /dev/null 2>&1 || fail "the other program's window never appeared"
  other=$(xwininfo -name xlogo | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  timeout 20 xdotool windowfocus --sync "$other" || fail "xdotool could not focus window $other"
  wait "$player_pid"
  local status=$?
  player_pid=""
  [ "$status" = 0 ] || fail "exit status $status"
  local expected=("OS has raised a pause event" "Pause event has been registered for this frame" "paused"
                  "Pause event has been unregistered" "resumed")
  local seen
  seen=$(grep -xF -e "${expected[0]}" -e "${expected[1]}" -e "${expected[2]}" -e "${expected[3]}" -e "${expected[4]}" \
           "$work/out.txt" | paste -sd '|')
  [ "$seen" = "$(IFS='|'; echo "${expected[*]}")" ] || fail "pause lines: $seen"
  echo "pause test passed"
}

cat > "$work/game.json" <<'JSON'
{
  "name": "Win Test",
  "window": {"width": 320, "height": 240},
  "objects": {
    "watcher": {
      "events": {
        "create": "said = false;",
        "step": "if (!said) { said = true; show_debug_message(\"ready\"); }",
        "keypress:ord_A": "show_debug_message(\"got A\"); game_end();"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 60, "instances": [{"object": "watcher"}]}]
}
JSON
[ "$mode" = input ] && cat > "$work/game.json" <<'JSON'
{
  "name": "Input Test",
  "window": {"width": 320, "height": 240},
  "objects": {
    "prober": {
      "events": {
        "create": "window_set_position(100, 50); set_application_title(\"Other\"); said = false; left = false; lastX = -1;",
        "step": "if (!said) { said = true; show_debug_message(\"at \" + string(window_get_x()) + \" \" + string(window_get_y()) + \" \" + window_get_caption()); show_debug_message(\"ready\"); }\nif (window_mouse_get_x() != lastX) { lastX = window_mouse_get_x(); show_debug_message(\"mouse \" + string(lastX) + \" \" + string(window_mouse_get_y()) + \" display \" + string(display_mouse_get_x()) + \" \" + string(display_mouse_get_y())); }\nif (keyboard_check_direct(vk_left)) { if (!left) { left = true; show_debug_message(\"left held\"); } } else if (left) { show_debug_message(\"left let go\"); game_end(); }"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 60, "instances": [{"object": "prober"}]}]
}
JSON
[ "$mode" = pause ] && cat > "$work/game.json" <<'JSON'
{
  "name": "Pause Test",
  "window": {"width": 320, "height": 240},
  "objects": {
    "sleeper": {
      "events": {
        "create": "said = false; was = false;",
        "step": "if (!said) { said = true; show_debug_message(\"ready\"); }\nif (os_is_paused()) { was = true; show_debug_message(\"paused\"); } else if (was) { show_debug_message(\"resumed\"); game_end(); }"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 60, "instances": [{"object": "sleeper"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

# The server writes its display number once it listens; the wait then polls
# its socket until it takes a connection (xdpyinfo connects and asks).
exec 3> "$work/display"
# -noreset: when its last client leaves, the server would start over, and a
# player connecting in that moment finds no display and plays without one.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset > "$work/xvfb.txt" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 300 grep -qx '[0-9]\+' "$work/display" || fail "the X server did not report a display"
export DISPLAY=":$(head -n 1 "$work/display")"
wait_for 300 test -S "/tmp/.X11-unix/X${DISPLAY#:}" || fail "the X server made no socket for $DISPLAY"
wait_for 300 xdpyinfo > /dev/null 2>&1 || fail "the X server on $DISPLAY took no connection"

mkdir -p "$work/data"
env -u KORVALITH_HEADLESS KORVALITH_MAX_FRAMES=600 XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 \
    ALSOFT_DRIVERS=null "$player" -game "$work/game.win" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
player_pid=$!

wait_for 300 grep -qx "ready" "$work/out.txt" || fail "the game never said ready"
[ "$mode" = input ] && { check_input; exit; }
[ "$mode" = pause ] && { check_pause; exit; }

info=$(xwininfo -name "Win Test" 2>&1) || fail "no window titled Win Test: $info"
field() { echo "$info" | sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p"; }
[ "$(field Width)" = 320 ] && [ "$(field Height)" = 240 ] || fail "window size $(field Width)x$(field Height)"
[ "$(field 'Absolute upper-left X')" = 240 ] && [ "$(field 'Absolute upper-left Y')" = 180 ] ||
  fail "window at $(field 'Absolute upper-left X'),$(field 'Absolute upper-left Y')"

# The key is typed through the server's test extension into the focused
# window rather than sent to the window itself: the game ends on the press,
# and a release sent to a window already gone would fail the typing tool.
wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
timeout 20 xdotool key a || fail "xdotool could not type"

wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "got A" "$work/out.txt" || fail "the key never reached the game"
echo "window test passed"
