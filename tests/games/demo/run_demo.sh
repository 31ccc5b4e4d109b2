#!/usr/bin/env bash
# run_demo.sh MKGAME PLAYER PIXEL_CHECK GAMES_DIR [MKRECORDING]: plays the
# bundled demo headless for 600 frames from the recorded play in demo.keys
# ("-playback", the recording written by mkrecording, by default the one
# beside MKGAME),
# then checks what the game printed (its own lines, exactly and in order,
# against demo.expect), the save folder (a saved game, a screenshot and the
# highscore table, which must equal hiscore.dat) and the last frame (demo.pixels).
set -u
mkgame=$1 player=$2 checker=$3 games=$4 mkrecording=${5:-$(dirname "$1")/mkrecording}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_demo_XXXXXX")
trap 'rm -rf "$work"' EXIT

"$mkrecording" "$here/demo.keys" -o "$work/demo.rec" --steps 600 || exit 1
"$games/demo/build.sh" "$mkgame" "$work/demo.win" > "$work/build.out" 2>&1 || { cat "$work/build.out"; exit 1; }
mkdir -p "$work/data"
env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=600 KORVALITH_ANSWERS="$here/demo.answers" \
    KORVALITH_DUMP_FRAME="$work/frame.png" XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 120 "$player" -game "$work/demo.win" -playback "$work/demo.rec" > "$work/out.txt" 2> "$work/err.txt" < /dev/null
status=$?

fail=0
[ $status -eq 0 ] || { echo "exit status $status, expected 0"; fail=1; }
# The game's own lines, whatever the player prints between them.
grep -E '^(demo started|score |saved at |loaded$|to the crates$|crate |game over |hit, lives |out of lives$|Quit\?$|playing on$|screenshot$)' \
  "$work/out.txt" > "$work/game.txt"
if ! diff "$here/demo.expect" "$work/game.txt" > "$work/game.diff"; then
  echo "the game's lines differ (< expected, > printed):"; cat "$work/game.diff"; fail=1
fi
saves="$work/data/Korvalith demo"
[ -s "$saves/demo.sav" ] || { echo "no saved game in the save folder"; fail=1; }
[ -s "$saves/screenshot.bmp" ] || { echo "no screenshot in the save folder"; fail=1; }
cmp -s "$here/hiscore.dat" "$saves/hiscore.dat" || { echo "hiscore.dat differs or is missing"; fail=1; }
if [ -f "$work/frame.png" ]; then
  "$checker" "$work/frame.png" "$here/demo.pixels" || fail=1
else
  echo "no frame was written"; fail=1
fi
if [ $fail -ne 0 ]; then
  echo "---- player output"; cat "$work/out.txt"; echo "---- stderr"; cat "$work/err.txt"
fi
exit $fail
