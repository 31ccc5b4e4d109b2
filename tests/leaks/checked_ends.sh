#!/usr/bin/env bash
# checked_ends.sh MKGAME PLAYER GAMES_FOLDER
# The sanitizer build's own mkgame and player under the leak checker: mkgame
# frees the stores it reads a game into, in both forms, and a
# bytecode-machine error ends with the player's own status, 255, not the
# checker's. Every game here has scripts, objects, rooms and resources.
set -u
mkgame=$1 player=$2 games=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_leaks_XXXXXX")
trap 'rm -rf "$work"' EXIT
fail=0

for game in script_arguments resource_name_values builtin_room_speed_vm; do
  for form in source bytecode; do
    args=()
    [ "$form" = bytecode ] && args+=(--bytecode)
    (cd "$games" && "$mkgame" "$game.json" -o "$work/$game.$form.win" "${args[@]}") > "$work/mkgame.txt" 2>&1
    status=$?
    if [ $status -ne 0 ]; then
      echo "FAIL: mkgame $game ($form) exited $status"; tail -30 "$work/mkgame.txt"; fail=1
    fi
  done
done

env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=30 XDG_DATA_HOME="$work/data" \
    ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
    "$player" -game "$work/builtin_room_speed_vm.bytecode.win" > "$work/player.txt" 2>&1 < /dev/null
status=$?
if [ $status -ne 255 ]; then
  echo "FAIL: a machine error ended with $status, expected 255"; tail -30 "$work/player.txt"; fail=1
fi
# A machine error after writes in a sub-folder, an INI file open and the
# highscore table changed: the end-of-run writes go through the file layer
# after exit has begun, with nothing they use destroyed yet.
game=writers_sub_folder_error
for form in source bytecode; do
  args=()
  [ "$form" = bytecode ] && args+=(--bytecode)
  (cd "$games" && "$mkgame" "$game.json" -o "$work/$game.$form.win" "${args[@]}") > "$work/mkgame.txt" 2>&1
  rm -rf "$work/data"
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=30 XDG_DATA_HOME="$work/data" \
      ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
      "$player" -game "$work/$game.$form.win" > "$work/player.txt" 2>&1 < /dev/null
  status=$?
  if [ $status -ne 255 ] || grep -q 'Sanitizer' "$work/player.txt" ||
     ! cmp -s "$games/$game.after/subfold/Saves/o.ini" "$work/data/subfold/Saves/o.ini" ||
     ! cmp -s "$games/$game.after/subfold/hiscore.dat" "$work/data/subfold/hiscore.dat"; then
    echo "FAIL: $game ($form) ended with $status, expected 255 with its INI file and highscore table written"
    grep -A12 'Sanitizer' "$work/player.txt" | head -40; fail=1
  fi
done

[ $fail -eq 0 ] && echo "checked ends passed"
exit $fail
