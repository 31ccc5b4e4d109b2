#!/usr/bin/env bash
# demo_screenshot.sh: remakes docs/demo.png, the README's picture of the
# demo. The player takes it itself: the demo is played headless from the
# recording its test uses, up to the step where F9 saves the screen (BMP),
# and the picture is converted to PNG.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
"$root/scripts/build.sh" release > /dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_shot_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/mkrecording" "$root/tests/games/demo/demo.keys" -o "$work/demo.rec" --steps 600
"$root/games/demo/build.sh" "$build/mkgame" "$work/demo.win"
KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=140 XDG_DATA_HOME="$work/data" \
  LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
  "$build/korvalith" -game "$work/demo.win" -playback "$work/demo.rec" > /dev/null < /dev/null
mkdir -p "$root/docs"
convert "$work/data/Korvalith demo/screenshot.bmp" -strip "$root/docs/demo.png"
echo "wrote docs/demo.png"
