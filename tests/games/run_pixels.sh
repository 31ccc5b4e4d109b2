#!/usr/bin/env bash
# run_pixels.sh MKGAME PLAYER CHECKER DESCRIPTION.json EXPECT PIXELS FORM
# Runs the game for two frames as run_game.sh does, with the last frame
# written out, then compares that frame with PIXELS (see pixel_check.cpp).
set -u
mkgame=$1 player=$2 checker=$3 description=$4 expect=$5 pixels=$6 form=$7
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_pixels_XXXXXX")
trap 'rm -rf "$work"' EXIT
frame="$work/frame.png"

KORVALITH_DUMP_FRAME="$frame" KORVALITH_TEST_FRAMES=2 \
  "$here/run_game.sh" "$mkgame" "$player" "$description" "$expect" "$form" || exit 1
if [ ! -f "$frame" ]; then echo "no frame was written"; exit 1; fi
"$checker" "$frame" "$pixels"
