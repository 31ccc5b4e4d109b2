#!/usr/bin/env bash
# build.sh MKGAME OUT.win: draws the demo's pictures with imagegen (the one
# beside MKGAME), makes its sounds with sox (and lame for the music) and
# writes the demo game file with mkgame, compiled form, with its
# debug-information file. The music goes beside the game file, where the
# player looks for it. Everything made along the way stays in a scratch
# folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mkgame=$1 out=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kv_demo_build_XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/sounds" "$scratch/images" "$(dirname "$out")"
cp "$here/demo.json" "$scratch/"
"$(dirname "$mkgame")/imagegen" --demo "$scratch/images"
# A rising blip for a coin, a dull thud for a crate.
sox -q -n -r 22050 -b 16 -c 1 "$scratch/sounds/coin.wav" synth 0.12 square 880:1760 fade 0 0.12 0.05 vol 0.4
sox -q -n -r 22050 -b 16 -c 1 "$scratch/sounds/crate.wav" synth 0.15 brownnoise lowpass 300 fade 0 0.15 0.1 vol 0.8
# Music: a slow arpeggio, looped by the game.
if command -v lame > /dev/null; then
  parts=()
  for note in C3 E3 G3 C4 A2 C3 E3 A3; do
    sox -q -n -r 22050 -b 16 -c 1 "$scratch/$note.wav" synth 0.5 triangle "$note" fade 0.02 0.5 0.2 vol 0.3
    parts+=("$scratch/$note.wav")
  done
  sox -q "${parts[@]}" "$scratch/music.wav"
  lame --quiet -b 64 "$scratch/music.wav" "$(dirname "$out")/music.mp3"
fi
"$mkgame" "$scratch/demo.json" -o "$out" --bytecode
