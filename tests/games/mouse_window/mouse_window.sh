#!/usr/bin/env bash
# mouse_window.sh MKGAME PLAYER DIR FORM
# Plays every game DIR/NAME.json as run_game.sh does, its input played back
# from a recording that holds the pointer at window (100, 50) in every
# step, and checks its console against DIR/NAME.expect.
set -u
mkgame=$1 player=$2 dir=$3 form=$4
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/check_console.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_mouse_XXXXXX")
trap 'rm -rf "$work"' EXIT

# A recording of version 1, as the first players wrote it (no header): one
# block of 2939 bytes a step, all zero but the pointer's window
# position, two little-endian i32 at offset 2931.
block="$work/block"
{ head -c 2931 /dev/zero; printf '\x64\x00\x00\x00\x32\x00\x00\x00'; } > "$block"
for _ in $(seq 1 60); do cat "$block"; done > "$work/pointer.rec"

fail=0
for description in "$dir"/*.json; do
  name=$(basename "${description%.json}")
  args=()
  [ "$form" = bytecode ] && args+=(--bytecode)
  if ! "$mkgame" "$description" -o "$work/$name.win" "${args[@]}" > "$work/mkgame.out" 2>&1; then
    echo "$name: mkgame failed:"; cat "$work/mkgame.out"; fail=1; continue
  fi
  run_args=(-game "$work/$name.win" -playback "$work/pointer.rec")
  [ "$form" = oldexec ] && run_args+=(-oldexec)
  env -u KORVALITH_ANSWERS KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=60 \
      XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
      timeout 60 "$player" "${run_args[@]}" > "$work/out.txt" 2> "$work/err.txt" < /dev/null
  status=$?
  if ! check_console "$status" "$work/out.txt" "$dir/$name.expect"; then
    echo "---- $name: player output"; cat "$work/out.txt"; echo "---- stderr"; cat "$work/err.txt"; fail=1
  fi
done
exit $fail
