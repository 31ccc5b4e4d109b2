#!/usr/bin/env bash
# record_size.sh MKGAME PLAYER DESCRIPTION.json: a headless run of 5 frames
# with "-record" writes its 16-byte header and one 2956-byte block per step.
set -u
mkgame=$1 player=$2 description=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_record_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$mkgame" "$description" -o "$work/game.win" || exit 1
env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=5 XDG_DATA_HOME="$work/data" \
  "$player" -game "$work/game.win" -record "$work/out.rec" > "$work/out.txt" 2>&1 || { cat "$work/out.txt"; exit 1; }
size=$(stat -c %s "$work/out.rec" 2>/dev/null || echo missing)
[ "$size" = 14796 ] || { echo "recording is $size bytes, expected 14796"; exit 1; }
