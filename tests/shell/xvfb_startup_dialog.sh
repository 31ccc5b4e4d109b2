#!/usr/bin/env bash
# xvfb_startup_dialog.sh MKGAME PLAYER
# Starts the player with no game on a private X server (no window manager):
# it asks for the game in a window of its own titled "Open", the path typed
# there and Return start the game, which then runs in its own window.
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
  "name": "Chosen Game",
  "window": {"width": 320, "height": 240},
  "objects": {
    "watcher": {
      "events": {
        "create": "show_debug_message(\"chosen game runs\"); game_end();"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 60, "instances": [{"object": "watcher"}]}]
}
JSON
mkdir -p "$work/games"
"$mkgame" "$work/game.json" -o "$work/games/picked.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp > "$work/xvfb.txt" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 100 test -s "$work/display" || fail "the X server did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

# Started from another folder, so the typed path is the whole way there.
mkdir -p "$work/data" "$work/elsewhere"
(cd "$work/elsewhere" &&
 exec env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS KORVALITH_MAX_FRAMES=600 XDG_DATA_HOME="$work/data" \
     LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null "$player" > "$work/out.txt" 2> "$work/err.txt" < /dev/null) &
player_pid=$!

wait_for 300 xwininfo -name "Open" > /dev/null 2>&1 || fail "no window titled Open"
info=$(xwininfo -name "Open")
wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
# Typed at once: keys that come before the dialog's first frames wait for them.
timeout 20 xdotool type --delay 30 "$work/games/picked.win" || fail "xdotool could not type"
timeout 20 xdotool key Return || fail "xdotool could not press Return"

wait_for 300 grep -qx "chosen game runs" "$work/out.txt" || fail "the chosen game never ran"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "RunnerLoadGame() - $work/games/picked.win" "$work/out.txt" || fail "another path was loaded"
echo "start-up dialog test passed"
