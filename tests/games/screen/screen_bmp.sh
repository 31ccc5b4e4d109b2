#!/usr/bin/env bash
# screen_bmp.sh MKGAME PLAYER DIR: runs DIR/screen_bmp.json headless and
# checks the BMP files it saves and the pixels it reads back.
set -u
mkgame=$1 player=$2 dir=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_screen_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$mkgame" "$dir/screen_bmp.json" -o "$work/screen_bmp.win" > "$work/mkgame.out" 2>&1 || { cat "$work/mkgame.out"; exit 1; }
mkdir -p "$work/data"
env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=10 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 60 "$player" -game "$work/screen_bmp.win" > "$work/out.txt" 2>&1 < /dev/null
status=$?
[ $status -eq 0 ] || { echo "player exit status $status"; cat "$work/out.txt"; exit 1; }
grep -qx "pixel 16777215 0" "$work/out.txt" || { echo "draw_getpixel did not read back the drawing"; cat "$work/out.txt"; exit 1; }
saves=$(dirname "$(find "$work/data" -name full.bmp | head -n 1)")
[ -f "$saves/full.bmp" ] || { echo "no screen file saved"; cat "$work/out.txt"; exit 1; }
python3 "$dir/check_screen_bmp.py" "$saves"
