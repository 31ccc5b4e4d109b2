#!/usr/bin/env bash
# overlay_frames.sh MKGAME PLAYER CHECKER DESCRIPTION.json EXPECT
# Runs the game as run_game.sh does twice, with the last frame written out:
# once as it stands (its NAME.args asks for the debug overlay), once as a
# copy without those arguments. The overlay may change only the rows above
# row 21 (the bars and the fps line), and must change some pixel there.
set -u
mkgame=$1 player=$2 checker=$3 description=$4 expect=$5
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_overlay_XXXXXX")
trap 'rm -rf "$work"' EXIT
plain="$work/$(basename "$description")"
cp "$description" "$plain"

KORVALITH_DUMP_FRAME="$work/shown.png" KORVALITH_TEST_FRAMES=3 \
  "$here/run_game.sh" "$mkgame" "$player" "$description" "$expect" source || exit 1
KORVALITH_DUMP_FRAME="$work/plain.png" KORVALITH_TEST_FRAMES=3 \
  "$here/run_game.sh" "$mkgame" "$player" "$plain" "$expect" source || exit 1
for frame in shown plain; do
  if [ ! -f "$work/$frame.png" ]; then echo "no $frame frame was written"; exit 1; fi
done
"$checker" --split 21 "$work/shown.png" "$work/plain.png"
