#!/usr/bin/env bash
# xvfb_error_dialog.sh MKGAME PLAYER, run on a private X server by
# xvfb_run.sh (no window manager, so the dialogs are drawn in the game's
# window). A game shows a message, which is drawn over its green room and
# holds it until Return; then two runtime errors show the error dialog,
# whose buttons the keyboard presses (Tab and Shift+Tab move round the text
# and the buttons, Space presses): Copy puts the text on the clipboard,
# Escape leaves the dialog up, Ignore goes on; after Clear, Copy copies
# nothing; Abort ends the game.
set -u
mkgame=$1 player=$2
. "$(dirname "$0")/desktop_game_support.sh"
command -v xclip > /dev/null || { echo "xclip is not installed: skipped"; exit 77; }

cat > "$work/game.json" <<'JSON'
{
  "name": "Error Dialog Test",
  "window": {"width": 480, "height": 320},
  "options": {"error_dialog": true},
  "objects": {
    "tester": {
      "events": {
        "create": "steps = 0;",
        "step": "steps += 1;\nif (steps == 5) { show_debug_message(\"message\"); show_message(\"Hello\" + chr(13) + chr(10) + \"from the game \u00e9\"); show_debug_message(\"message closed\"); }\nif (steps == 60) { show_debug_message(\"error one\"); ini_read_string(\"a\", \"b\", \"c\"); show_debug_message(\"went on \" + string(error_occurred)); alarm[0] = 30; }\nif (steps == 200) show_debug_message(\"not ended\");",
        "alarm:0": "show_debug_message(\"error two\"); ini_read_real(\"a\", \"b\", 0); show_debug_message(\"after abort\");"
      }
    }
  },
  "rooms": [{"width": 480, "height": 320, "speed": 30, "colour": "#00FF00", "instances": [{"object": "tester"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }

start_game "$player" "$work/game.win"

soon grep -qx "message" "$work/out.txt" || fail "the game never showed its message"
focus_window "Error Dialog Test"
# The colour at the window's middle, as "R,G,B".
middle() {
  import -window "$wid" "$work/shot.png" 2> /dev/null || fail "could not grab the window"
  convert "$work/shot.png" -format '%[fx:int(255*p{240,160}.r)],%[fx:int(255*p{240,160}.g)],%[fx:int(255*p{240,160}.b)]' info:
}
key() { timeout 20 xdotool key --delay 80 "$@" || fail "xdotool could not press $*"; sleep 0.4; }
clipboard() { timeout 10 xclip -o -selection clipboard 2> /dev/null; }
# A dialog covers the room's middle, the same in two pictures in a row.
covered() {
  local first
  first=$(middle)
  [ "$first" != "0,255,0" ] || return 1
  sleep 0.2
  [ "$(middle)" = "$first" ]
}
uncovered() { [ "$(middle)" = "0,255,0" ]; }
copied() { clipboard | grep -q "$1"; }

soon covered || fail "no message drawn over the game"
grep -qx "message closed" "$work/out.txt" && fail "the message went without being shown"
key Return
soon grep -qx "message closed" "$work/out.txt" || fail "Return did not close the message"
soon uncovered || fail "the room is not seen after the message: $(middle)"

soon grep -qx "error one" "$work/out.txt" || fail "the first error never came"
soon covered || fail "no error dialog drawn over the game"
printf 'before' | xclip -i -selection clipboard
key Tab Tab Tab space  # the text, Abort, Ignore, then Copy
soon copied "Trying to read from undefined INI file" || fail "Copy did not copy the text: $(clipboard)"
key Escape
grep -q "^went on" "$work/out.txt" && fail "the dialog went before Abort or Ignore"
key shift+Tab space  # Ignore
soon grep -qx "went on 1" "$work/out.txt" || fail "Ignore did not go on"

soon grep -qx "error two" "$work/out.txt" || fail "the second error never came"
soon covered || fail "no error dialog drawn over the game for the second error"
key shift+Tab space  # Clear
key shift+Tab space  # Copy: nothing left to copy
clipboard | grep -q "Alarm Event" && fail "Copy after Clear copied the text"
clipboard | grep -q "Step Event" || fail "the clipboard changed after Clear: $(clipboard)"
key shift+Tab shift+Tab space  # Abort

wait "$player_pid"
status=$?
player_pid=""
[ "$status" = 0 ] || fail "exit status $status"
grep -qx "not ended" "$work/out.txt" && fail "Abort did not end the game"
grep -qx "of Alarm Event for alarm 0" "$work/out.txt" || fail "the second error was not reported"
echo "error dialog test passed"
