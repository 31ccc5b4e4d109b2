#!/usr/bin/env bash
# xvfb_resize.sh MKGAME PLAYER MODE, run through xvfb_run.sh (the full-screen
# modes on a 1280 x 1024 screen, KV_XVFB_SCREEN)
# A 320 x 240 game with a resizable frame, in a real window on a private X
# server, sized by someone else than the game: the picture must cover the
# client area (inside the bars when the aspect is kept), checked pixel by
# pixel on a screenshot, and the mouse must map through that same picture.
# The room is red with a lime top-left and a blue bottom-right quarter.
#   managed     under openbox: sized with the window tool, then maximised
#   bare        no window manager: sized to 640 x 480, then to 1 x 1, a run
#               of sizes without waiting, an odd size, and larger than the
#               screen
#   aspect      no window manager, the aspect kept: bars beside and above
#   fullscreen  no window manager: the game asks for full screen, which the
#               window must take (1280 x 1024)
#   fullaspect  the same with the aspect kept
#   managedfull full screen under openbox
set -u
mkgame=$1 player=$2 mode=$3

. "$(dirname "$0")/desktop_game_support.sh"

flags=$((0x40))
case "$mode" in
  managed | bare | fullscreen | managedfull) ;;
  aspect | fullaspect) flags=$((0x50)) ;;
  *) echo "unknown mode $mode"; exit 2 ;;
esac
full=0
case "$mode" in *full*) full=1 ;; esac

cat > "$work/game.json" <<JSON
{
  "name": "Resize Test",
  "window": {"width": 320, "height": 240},
  "objects": {
    "painter": {
      "events": {
        "create": "said = false; lastX = -1; lastY = -1; lastW = -1; lastH = -1; steps = 0;",
        "step": "steps += 1; if (!said) { said = true; show_debug_message(\"ready\"); }\nif ($full && steps == 3) window_set_fullscreen(true);\nif (mouse_x != lastX || mouse_y != lastY) { lastX = mouse_x; lastY = mouse_y; show_debug_message(\"mouse \" + string(lastX) + \" \" + string(lastY)); }\nif (window_get_width() != lastW || window_get_height() != lastH) { lastW = window_get_width(); lastH = window_get_height(); show_debug_message(\"size \" + string(lastW) + \" \" + string(lastH)); }",
        "draw": "draw_set_color(c_lime); draw_rectangle(0, 0, 159, 119, false); draw_set_color(c_blue); draw_rectangle(160, 120, 319, 239, false);"
      }
    }
  },
  "rooms": [{"width": 320, "height": 240, "speed": 60, "colour": "#FF0000", "instances": [{"object": "painter"}]}]
}
JSON
"$mkgame" "$work/game.json" -o "$work/resize.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
set_window_flags "$work/resize.win" "$flags"

screen=${KV_XVFB_SCREEN:-800x600}
screen_w=${screen%x*} screen_h=${screen#*x}

if [ "${mode#managed}" != "$mode" ]; then
  # It ends with the X server, which xvfb_run.sh stops.
  openbox --sm-disable > "$work/openbox.txt" 2>&1 &
  within 300 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$work/openbox.txt")"
fi

mkdir -p "$work/data"
env -u KORVALITH_HEADLESS KORVALITH_MAX_FRAMES=20000 XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 \
    ALSOFT_DRIVERS=null "$player" -game "$work/resize.win" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
player_pid=$!
within 300 grep -qx ready "$work/out.txt" || fail "the game never said ready"
wid=$(xwininfo -name "Resize Test" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
[ -n "$wid" ] || fail "no window titled Resize Test"

alive() { kill -0 "$player_pid" 2>/dev/null || fail "the player died"; }

# The client area: $cx $cy (on the screen) and $cw $ch.
read_client() {
  local info
  info=$(xwininfo -id "$wid")
  field() { echo "$info" | sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p"; }
  cx=$(field 'Absolute upper-left X') cy=$(field 'Absolute upper-left Y')
  cw=$(field Width) ch=$(field Height)
}
client_is() { read_client; [ "$cw" = "$1" ] && [ "$ch" = "$2" ]; }

# The picture's rectangle in the client area ($ox $oy $pw $ph): the whole of
# it, or the 4:3 part centred in it when the aspect is kept.
picture_rect() {
  ox=0 oy=0 pw=$cw ph=$ch
  [ $((flags & 0x10)) = 0 ] && return
  if [ $((ch * 4)) -gt $((cw * 3)) ]; then
    ph=$((cw * 3 / 4)) oy=$(((ch - cw * 3 / 4) / 2))
  elif [ $((cw * 3)) -gt $((ch * 4)) ]; then
    pw=$((ch * 4 / 3)) ox=$(((cw - ch * 4 / 3) / 2))
  fi
}

# The visible part of the client area, one "R G B" line a pixel, $vw wide.
shot() {
  local x1=$((cx < 0 ? 0 : cx)) y1=$((cy < 0 ? 0 : cy))
  local x2=$((cx + cw > screen_w ? screen_w : cx + cw)) y2=$((cy + ch > screen_h ? screen_h : cy + ch))
  vw=$((x2 - x1)) vx=$((x1 - cx)) vy=$((y1 - cy))
  import -silent -window root -crop "${vw}x$((y2 - y1))+$x1+$y1" -depth 8 rgb:- 2> /dev/null |
    od -An -tu1 -v -w3 > "$work/shot.txt"
}

# Every pixel of the picture is in its quarter's colour (a band of 2 pixels
# each side of the middle lines is left out) and every bar pixel is white;
# $covered_wrong names the parts that are not.
picture_covers() {
  picture_rect
  local mx=$((ox + pw / 2)) my=$((oy + ph / 2)) r=$((ox + pw)) b=$((oy + ph))
  shot
  covered_wrong=$(awk -v W="$vw" -v vx="$vx" -v vy="$vy" -v parts="\
top-left $ox $oy $((mx - 2)) $((my - 2)) 0 255 0
top-right $((mx + 2)) $oy $r $((my - 2)) 255 0 0
bottom-left $ox $((my + 2)) $((mx - 2)) $b 255 0 0
bottom-right $((mx + 2)) $((my + 2)) $r $b 0 0 255
bar-top 0 0 $cw $oy 255 255 255
bar-bottom 0 $b $cw $ch 255 255 255
bar-left 0 0 $ox $ch 255 255 255
bar-right $r 0 $cw $ch 255 255 255" '
    BEGIN {
      n = split(parts, line, "\n")
      for (k = 1; k <= n; k++) {
        split(line[k], f, " ")
        name[k] = f[1]; x1[k] = f[2]; y1[k] = f[3]; x2[k] = f[4]; y2[k] = f[5]; want[k] = f[6] " " f[7] " " f[8]
      } }
    { i = NR - 1; x = vx + i % W; y = vy + int(i / W); $1 = $1
      for (k = 1; k <= n; k++)
        if (x >= x1[k] && x < x2[k] && y >= y1[k] && y < y2[k] && $0 != want[k]) wrong[name[k]]++ }
    END { for (part in wrong) printf " %s (%d)", part, wrong[part] }' "$work/shot.txt")
  [ -z "$covered_wrong" ]
}

# check_size W H: the client area becomes W x H, the game reads it, and the
# picture covers it.
check_size() {
  within 100 client_is "$1" "$2" || fail "the client area is ${cw}x${ch}, not $1x$2"
  within 100 grep -qx "size $1 $2" "$work/out.txt" || fail "the game never read the size $1 $2"
  within 20 picture_covers || fail "at ${cw}x${ch} the picture does not cover its place:$covered_wrong"
  alive
}

# check_mouse X Y: the pointer at client (X, Y) reads the room point under
# it in the picture.
last_mouse() { [ "$(grep '^mouse ' "$work/out.txt" | tail -n 1)" = "mouse $1 $2" ]; }
check_mouse() {
  picture_rect
  local rx=$((($1 - ox) * 320 / pw)) ry=$((($2 - oy) * 240 / ph))
  timeout 20 xdotool mousemove --window "$wid" "$1" "$2" || fail "xdotool could not move the pointer"
  within 100 last_mouse "$rx" "$ry" ||
    fail "the pointer at $1,$2 of ${cw}x${ch} reads $(grep '^mouse ' "$work/out.txt" | tail -n 1), not $rx $ry"
}

# The pointer cannot leave the screen: windows are first put at its corner.
move_to_corner() { timeout 20 xdotool windowmove "$wid" 0 0 || fail "xdotool could not move the window"; }
size_to() { timeout 20 xdotool windowsize "$wid" "$1" "$2" || fail "xdotool could not size the window to $1x$2"; }

case "$mode" in
  managed)
    size_to 640 480
    check_size 640 480
    check_mouse 320 240
    check_mouse 100 50
    wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz || fail "wmctrl could not maximise the window"
    within 100 sh -c "xwininfo -id $wid | grep -q 'Width: 8'" || fail "the window was not maximised"
    sleep 0.5
    read_client
    check_size "$cw" "$ch"
    check_mouse $((cw - 1)) $((ch - 1))
    check_mouse $((cw / 3)) $((ch / 5))
    ;;
  bare)
    move_to_corner
    size_to 640 480
    check_size 640 480
    check_mouse 320 240
    check_mouse 639 479
    size_to 1 1
    check_size 1 1
    for size in "17 9" "1024 30" "2 700" "640 481" "101 99" "300 300" "5 5" "799 1"; do
      size_to $size
    done
    size_to 333 207
    check_size 333 207
    check_mouse 100 50
    check_mouse 332 206
    size_to 1000 700
    check_size 1000 700
    check_mouse 500 350
    ;;
  aspect)
    move_to_corner
    size_to 640 360
    check_size 640 360
    check_mouse 320 180
    check_mouse 100 18
    size_to 400 600
    check_size 400 600
    check_mouse 200 225
    check_mouse 399 449
    ;;
  fullscreen | fullaspect | managedfull)
    check_size "$screen_w" "$screen_h"
    [ "$cx,$cy" = "0,0" ] || fail "the full-screen window is at $cx,$cy"
    check_mouse $((screen_w / 2 + 3)) $((screen_h / 2 + 3))
    check_mouse 100 100
    ;;
esac
alive
echo "resize test ($mode) passed"
