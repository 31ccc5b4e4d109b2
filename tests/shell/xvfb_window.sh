#!/usr/bin/env bash
# xvfb_window.sh MKGAME PLAYER
# Runs a small game in a real window on a private X server (800x600, no
# window manager): the window must be 320x240, centred, titled after the
# game, and a key typed into it must reach the game, which then ends.
set -u
mkgame=$1 player=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_xvfb_XXXXXX")
xvfb_pid=""
player_pid=""
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null
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
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

# The server writes its display number once it listens; the wait then polls
# its socket until it takes a connection (xdpyinfo connects and asks).
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp > "$work/xvfb.txt" 2>&1 &
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
