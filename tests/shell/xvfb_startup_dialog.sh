#!/usr/bin/env bash
# xvfb_startup_dialog.sh MKGAME PLAYER, run on a private X server by
# xvfb_run.sh (no window manager). The player started with no game asks for
# one in a window of its own titled "Open"; the path typed there at once and
# Return start the game, which then runs.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"

mkdir -p "$work/games"
"$mkgame" "$(dirname "$0")/picked_game.json" -o "$work/games/picked.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

# Started from another folder, so the typed path is the whole way there.
mkdir -p "$work/data" "$work/elsewhere"
(cd "$work/elsewhere" &&
 exec env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS KORVALITH_MAX_FRAMES=600 XDG_DATA_HOME="$work/data" \
     LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null "$player" > "$work/out.txt" 2> "$work/err.txt" < /dev/null) &
player_pid=$!

soon xwininfo -name "Open" > /dev/null 2>&1 || fail "no window titled Open"
info=$(xwininfo -name "Open")
wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
# Typed at once: keys that come before the dialog's first frames wait for them.
timeout 20 xdotool type --delay 30 "$work/games/picked.win" || fail "xdotool could not type"
timeout 20 xdotool key Return || fail "xdotool could not press Return"

soon grep -qx "picked game runs" "$work/out.txt" || fail "the picked game never ran"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "RunnerLoadGame() - $work/games/picked.win" "$work/out.txt" || fail "another path was loaded"

# A quit signal while the dialog waits ends the player as a cancel does.
(cd "$work/elsewhere" &&
 exec env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 \
     ALSOFT_DRIVERS=null "$player" > "$work/out.txt" 2> "$work/err.txt" < /dev/null) &
player_pid=$!
soon xwininfo -name "Open" > /dev/null 2>&1 || fail "no window titled Open the second time"
kill -TERM "$player_pid"
wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 1 ] || fail "quit signal: exit status $status, expected 1"
echo "start-up dialog test passed"
