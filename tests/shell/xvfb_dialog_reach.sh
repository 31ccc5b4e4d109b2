#!/usr/bin/env bash
# xvfb_dialog_reach.sh MKGAME PLAYER MODE, run on a private X server by
# xvfb_run.sh (no window manager, so the dialogs are drawn in the game's
# black window).
#   glyphs: a message and an error dialog drawn with the euro sign, an arrow
#           and two Chinese characters look different from the same texts
#           with U+FFFD in their places; a character no font has looks like
#           U+FFFD.
#   small:  in windows of 160 x 100 and 64 x 48 every button of the error
#           dialog, the question, the input, the message, the open-file
#           dialog and the login is seen whole inside the window and answers
#           a click.
#   keys:   Escape closes a message box, Space presses its OK, and Tab then
#           Space answers a question No.
#   moved:  the game's window moved by another program (no window manager
#           to tell the game), then a question: the pointer placed over No
#           draws No hovered, and a click there answers it.
#   depth:  on an X server of KV_XVFB_DEPTH bits. At 8, where no GL window
#           can be made, the colour-depth question is printed and answered,
#           then the start fails as a failed device start does (its one
#           line, status 1): the game never runs unseen. At 15 the question
#           is drawn in the game's window and Return answers it; at 16 and
#           24 nothing is asked. There the game plays in its window.
set -u
mkgame=$1 player=$2 mode=$3
here=$(dirname "$0")
. "$here/desktop_game_support.sh"
command -v python3 > /dev/null || { echo "python3 is not installed: skipped"; exit 77; }
command -v xclip > /dev/null || { echo "xclip is not installed: skipped"; exit 77; }

# make_game WIDTH HEIGHT STEP_CODE [ASYNC_CODE [EVERY_STEP_CODE]]: STEP_CODE
# runs in the third step, EVERY_STEP_CODE in each.
make_game() {
  # JSON's escapes (\uXXXX) stay as they are; quotes are escaped.
  local step=${3//\"/\\\"} async=${4:-} every=${5:-}
  async=${async//\"/\\\"}
  every=${every//\"/\\\"}
  cat > "$work/game.json" <<JSON
{
  "name": "Dialog Reach",
  "window": {"width": $1, "height": $2},
  "options": {"error_dialog": true},
  "objects": {
    "tester": {
      "events": {
        "create": "steps = 0; global.late = false;",
        "step": "steps += 1;\nif (steps == 3) { $step }\n$every\nif (global.late) { show_debug_message(\"not ended\"); global.late = false; }",
        "other:63": "$async"
      }
    }
  },
  "rooms": [{"width": $1, "height": $2, "speed": 30, "colour": "#000000", "instances": [{"object": "tester"}]}]
}
JSON
  "$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
}
said() { soon grep -qxF "$1" "$work/out.txt" || fail "never printed \"$1\""; }
key() { timeout 20 xdotool key --delay 80 "$@" || fail "xdotool could not press $*"; sleep 0.4; }
# shot NAME: the window's picture as $work/NAME.ppm.
shot() {
  import -window "$wid" "$work/$1.png" 2> /dev/null || fail "could not grab the window"
  convert "$work/$1.png" "$work/$1.ppm" || fail "could not convert the picture"
}
# Waits for the game to print LINE, then for its dialog to be drawn.
dialog_after() {
  said "$1"
  await_dialog
}
finish() {
  wait "$player_pid"
  local status=$?
  player_pid=""
  [ "$status" = 0 ] || fail "exit status $status"
}

glyphs() {
  make_game 480 320 'show_debug_message("m1"); show_message("A \u20ac \u2192 \u4e2d\u6587"); show_debug_message("m2"); show_message("A \ufffd \ufffd \ufffd\ufffd"); show_debug_message("m3"); show_message("A \ufdd0 \ufdd0 \ufdd0\ufdd0"); show_debug_message("e1"); show_error("A \u20ac \u2192 \u4e2d\u6587", false); show_debug_message("e2"); show_error("A \ufffd \ufffd \ufffd\ufffd", false); game_end();'
  start_game "$player" "$work/game.win"
  said m1
  focus_window "Dialog Reach"
  xdotool mousemove 799 599
  for name in m1 m2 m3; do
    dialog_after "$name"
    shot "$name"
    key Return
  done
  for name in e1 e2; do
    dialog_after "$name"
    shot "$name"
    key Tab Tab space  # Ignore
  done
  finish
  cmp -s "$work/m1.ppm" "$work/m2.ppm" && fail "the message drew the euro sign, the arrow and the Chinese as U+FFFD"
  cmp -s "$work/e1.ppm" "$work/e2.ppm" && fail "the error dialog drew the euro sign, the arrow and the Chinese as U+FFFD"
  cmp -s "$work/m2.ppm" "$work/m3.ppm" || fail "a character no font has is not drawn as U+FFFD"
  echo "dialog glyphs test passed"
}

# buttons COUNT: the dialog's buttons now ($button_x, _y, _w, _h), each
# seen whole inside the window.
buttons() {
  rm -f "$work/dialog_before.ppm"
  within 600 dialog_drawn "$1" || fail "$1 buttons expected in ${width}x$height, found: $(python3 "$here/dialog_buttons.py" "$work/dialog.ppm" | tr '\n' ';')"
  local list
  list=$(python3 "$here/dialog_buttons.py" "$work/dialog.ppm") || fail "could not read the picture"
  button_x=() button_y=() button_w=() button_h=()
  while read -r x y w h; do
    [ -n "$x" ] || continue
    button_x+=("$x") button_y+=("$y") button_w+=("$w") button_h+=("$h")
    [ $((x + w)) -le "$width" ] && [ $((y + h)) -le "$height" ] || fail "a button reaches outside the window: $x $y $w $h"
  done <<< "$list"
  [ "${#button_x[@]}" = "$1" ] || fail "$1 buttons expected in ${width}x$height, found: $(echo "$list" | tr '\n' ';')"
}
# click N: clicks the middle of button N (from 0) of the last buttons().
click() {
  local x=$((button_x[$1] + button_w[$1] / 2)) y=$((button_y[$1] + button_h[$1] / 2))
  timeout 20 xdotool mousemove --window "$wid" "$x" "$y" || fail "xdotool could not move the mouse"
  sleep 0.3
  timeout 20 xdotool click 1 || fail "xdotool could not click"
  sleep 0.5
}

small() {
  width=$1 height=$2
  make_game "$width" "$height" 'show_debug_message("error one"); show_error("first error", false); show_debug_message("went on"); show_debug_message("answer " + string(show_question("Sure?"))); show_debug_message("typed " + get_string("Name", "dflt")); show_message("Hi"); show_debug_message("message closed"); show_debug_message("file [" + get_open_filename("All|*.*", "a.txt") + "]"); get_login_async("us", "pw");' 'show_debug_message("login " + ds_map_find_value(async_load, "username")); show_error("second error", false); global.late = true;'
  start_game "$player" "$work/game.win"
  said "error one"
  focus_window "Dialog Reach"
  dialog_after "error one"
  printf 'before' | xclip -i -selection clipboard
  buttons 4
  click 2  # Copy
  copied() { timeout 10 xclip -o -selection clipboard | grep -q "first error"; }
  soon copied || fail "Copy was not clicked in ${width}x$height"
  click 1  # Ignore
  said "went on"
  buttons 2
  click 1  # No
  said "answer 0"
  buttons 2
  click 0  # OK
  said "typed dflt"
  buttons 1
  click 0  # OK
  said "message closed"
  buttons 4  # Up, the type list's arrow, Open, Cancel
  click 3
  said "file []"
  buttons 2
  click 0  # OK
  said "login us"
  buttons 4
  click 3  # Clear
  printf 'before' | xclip -i -selection clipboard
  click 2  # Copy: nothing left
  timeout 10 xclip -o -selection clipboard | grep -q "second error" && fail "Clear was not clicked in ${width}x$height"
  click 0  # Abort
  finish
  grep -qx "not ended" "$work/out.txt" && fail "Abort was not clicked in ${width}x$height"
  echo "small window ${width}x$height passed"
}

keys() {
  make_game 480 320 'show_debug_message("one"); show_message("Escape closes me"); show_debug_message("two"); show_message("Space closes me"); show_debug_message("three"); show_debug_message("answer " + string(show_question("Sure?"))); game_end();'
  start_game "$player" "$work/game.win"
  said one
  focus_window "Dialog Reach"
  dialog_after one
  key Escape
  said two
  await_dialog
  key space
  said three
  await_dialog
  key Tab space
  said "answer 0"
  finish
  echo "dialog keys test passed"
}

# shows_buttons COUNT [--hovered]: a shot now shows that many buttons (as
# under the pointer, with --hovered); for soon().
shows_buttons() {
  import -window "$wid" "$work/now.png" 2> /dev/null && convert "$work/now.png" "$work/now.ppm" &&
    [ "$(python3 "$here/dialog_buttons.py" ${2:-} "$work/now.ppm" | grep -c .)" = "$1" ]
}

moved() {
  width=480 height=320
  # The question comes with the first Space, after the window has moved.
  make_game "$width" "$height" 'show_debug_message("waiting");' '' 'if (keyboard_check_pressed(vk_space)) { show_debug_message("answer " + string(show_question("Sure?"))); game_end(); }'
  start_game "$player" "$work/game.win"
  said waiting
  focus_window "Dialog Reach"
  timeout 20 xdotool windowmove --sync "$wid" 17 29 || fail "xdotool could not move the window"
  soon sh -c "xwininfo -id $wid | grep -Eq 'Absolute upper-left X: +17$'" || fail "the window did not move"
  key space
  soon shows_buttons 2 || fail "the question was not drawn"
  buttons 2
  # The pointer placed over No, not moved there: the dialog must see it.
  timeout 20 xdotool mousemove --window "$wid" $((button_x[1] + 3)) $((button_y[1] + button_h[1] / 2)) ||
    fail "xdotool could not move the mouse"
  soon shows_buttons 1 --hovered || fail "No was not drawn under the pointer"
  [ "$(python3 "$here/dialog_buttons.py" --hovered "$work/now.ppm")" = \
    "${button_x[1]} ${button_y[1]} ${button_w[1]} ${button_h[1]}" ] || fail "another button than No was drawn hovered"
  click 1  # No
  said "answer 0"
  finish
  echo "dialog in a moved window passed"
}

depth() {
  local question="This application requires 16-bit or 32-bit color mode."
  local failed="Failed to create Direct3D Screen requirements and that your drivers are up-to-date."
  make_game 160 100 'show_debug_message("started " + string(window_get_width())); game_end();'
  start_game "$player" "$work/game.win"
  case "${KV_XVFB_DEPTH:-24}" in
    8)
      wait "$player_pid"
      local status=$?
      player_pid=""
      [ "$status" = 1 ] || fail "exit status $status, expected 1 for a start that made no window"
      grep -qxF "$question" "$work/out.txt" || fail "the colour-depth question was not printed"
      grep -qF "$failed" "$work/out.txt" || fail "no line of a failed device start"
      [ "$(grep -cF "$failed" "$work/out.txt")" = 1 ] || fail "the failed start said its line more than once"
      grep -q "^started" "$work/out.txt" && fail "the game ran with no window"
      ;;
    15)
      soon xwininfo -name "Dialog Reach" > /dev/null 2>&1 || fail "no game window to ask in"
      focus_window "Dialog Reach"
      # Return until the drawn question takes it and the game goes on.
      answered() { timeout 20 xdotool key Return > /dev/null 2>&1; grep -q "^started" "$work/out.txt"; }
      soon answered || fail "the drawn question took no Return"
      finish
      grep -qx "started 160" "$work/out.txt" || fail "the game did not start in its window"
      ;;
    *)
      said "started 160"
      finish
      grep -qF "$question" "$work/out.txt" && fail "the colour depth was asked about at ${KV_XVFB_DEPTH:-24} bits"
      ;;
  esac
  echo "depth ${KV_XVFB_DEPTH:-24} test passed"
}

case "$mode" in
  glyphs) glyphs ;;
  small) small 160 100; small 64 48 ;;
  keys) keys ;;
  moved) moved ;;
  depth) depth ;;
  *) echo "FAIL: unknown mode $mode"; exit 1 ;;
esac
