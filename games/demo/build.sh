#!/usr/bin/env bash
# build.sh MKGAME OUT.win: makes the demo's sounds with sox (and lame for the
# music) and writes the demo game file with mkgame, compiled form. The music
# goes beside the game file, where the player looks for it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mkgame=$1 out=$2
mkdir -p "$here/sounds" "$(dirname "$out")"
# A rising blip for a coin, a dull thud for a crate.
sox -q -n -r 22050 -b 16 -c 1 "$here/sounds/coin.wav" synth 0.12 square 880:1760 fade 0 0.12 0.05 vol 0.4
sox -q -n -r 22050 -b 16 -c 1 "$here/sounds/crate.wav" synth 0.15 brownnoise lowpass 300 fade 0 0.15 0.1 vol 0.8
# Eight bars of a slow arpeggio.
music_dir=$(dirname "$out")
if command -v lame > /dev/null; then
  parts=()
  for note in C3 E3 G3 C4 A2 C3 E3 A3; do
    sox -q -n -r 22050 -b 16 -c 1 "$here/sounds/$note.wav" synth 0.5 triangle "$note" fade 0.02 0.5 0.2 vol 0.3
    parts+=("$here/sounds/$note.wav")
  done
  sox -q "${parts[@]}" "$here/sounds/music.wav"
  lame --quiet -b 64 "$here/sounds/music.wav" "$music_dir/music.mp3"
fi
"$mkgame" "$here/demo.json" -o "$out" --bytecode
