# Sourced by the scripts that drive the player on a private X server: a
# scratch folder ($work) removed at exit with the player ($player_pid)
# stopped, fail() with the player's output, soon() and within() to wait for
# a command.
[ -n "${DISPLAY:-}" ] || { echo "FAIL: run through xvfb_run.sh"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_dialog_XXXXXX")
player_pid=""
trap '[ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  echo "---- player output"; cat "$work/out.txt" 2>/dev/null
  echo "---- player errors"; cat "$work/err.txt" 2>/dev/null
  exit 1
}
# within TENTHS COMMAND...: up to that many tenths of a second for the
# command to succeed.
within() {
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
# Up to thirty seconds for the command to succeed.
soon() { within 300 "$@"; }
# window_shot NAME: window $wid's picture as $work/NAME.ppm.
window_shot() {
  import -window "$wid" "$work/$1.png" 2> /dev/null && convert "$work/$1.png" "$work/$1.ppm" 2> /dev/null
}
# dialog_drawn [COUNT]: a drawn dialog shows COUNT buttons (or any when
# none is given) in two pictures in a row that are the same, so its layout
# has settled; $work/dialog.ppm is the last.
dialog_drawn() {
  window_shot dialog || return 1
  local found
  found=$(python3 "$(dirname "${BASH_SOURCE[0]}")/dialog_buttons.py" "$work/dialog.ppm" | grep -c .)
  if [ -n "${1:-}" ]; then [ "$found" = "$1" ] || return 1; else [ "$found" -gt 0 ] || return 1; fi
  cmp -s "$work/dialog.ppm" "$work/dialog_before.ppm" && return 0
  mv "$work/dialog.ppm" "$work/dialog_before.ppm"
  return 1
}
# await_dialog [COUNT]: up to a minute for a settled dialog in window $wid.
await_dialog() {
  rm -f "$work/dialog_before.ppm"
  within 600 dialog_drawn "$@" || fail "no dialog${1:+ of $1 buttons} was drawn and settled in window $wid"
}
# start_game PLAYER GAME.win: the player on the game in a window, in the
# background ($player_pid), its output in $work/out.txt and $work/err.txt and
# its data folder $work/data.
start_game() {
  mkdir -p "$work/data"
  env -u KORVALITH_HEADLESS -u KORVALITH_ANSWERS KORVALITH_MAX_FRAMES=3000 XDG_DATA_HOME="$work/data" \
      LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null "$1" -game "$2" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
  player_pid=$!
}
# focus_window TITLE: the window with that title ($wid), given the keyboard.
focus_window() {
  local info
  info=$(xwininfo -name "$1" 2>&1) || fail "no window titled $1: $info"
  wid=$(echo "$info" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  timeout 20 xdotool windowfocus --sync "$wid" || fail "xdotool could not focus window $wid"
}
# set_window_flags GAME.win FLAGS: the header's start-up flags (0x40
# resizable frame, 0x10 keep aspect), 68 bytes into the header chunk's data.
set_window_flags() {
  local gen8
  gen8=$(grep -obUa GEN8 "$1" | head -n 1 | cut -d: -f1)
  [ -n "$gen8" ] || fail "no header chunk in the game file"
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($2 & 255)) $(($2 >> 8 & 255)) 0 0)" |
    dd of="$1" bs=1 seek=$((gen8 + 8 + 68)) conv=notrunc status=none
}
