#!/usr/bin/env bash
# audio_game.sh MKGAME PLAYER
# A game that selects the audio system and embeds one WAV runs headless: with
# the null device, with "-noaudio", and with no device at all.
set -u
mkgame=$1 player=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_audio_XXXXXX")
trap 'rm -rf "$work"' EXIT

sox -n -r 22050 -b 16 -c 1 "$work/beep.wav" synth 0.05 sine 440 || exit 1
cat > "$work/audio_on.json" <<JSON
{ "name": "beeping", "options": { "new_audio": true },
  "sounds": { "snd_beep": { "file": "beep.wav" } } }
JSON
"$mkgame" "$work/audio_on.json" -o "$work/game.win" > "$work/mkgame.out" 2>&1 || { cat "$work/mkgame.out"; exit 1; }

fail=0
run() {  # run NAME DRIVERS ARGS...
  local name=$1 drivers=$2; shift 2
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=5 XDG_DATA_HOME="$work/data" \
      LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS="$drivers" \
      timeout 60 "$player" -game "$work/game.win" "$@" > "$work/$name.out" 2>&1 < /dev/null
  local status=$?
  if [ "$status" != 0 ]; then echo "$name: exit status $status"; cat "$work/$name.out"; fail=1; fi
}
expect() {  # expect NAME COUNT TEXT: TEXT appears on exactly COUNT lines
  local found
  found=$(grep -cF -- "$3" "$work/$1.out")
  if [ "$found" != "$2" ]; then echo "$1: \"$3\" on $found lines, expected $2"; cat "$work/$1.out"; fail=1; fi
}

run null null
expect null 1 "Audio_Load()"
expect null 1 "Audio_WAVs()"
expect null 0 "AL Error"
expect null 0 "ALUT"

run noaudio null -noaudio
expect noaudio 1 "Audio_Load()"
expect noaudio 0 "AL Error"
expect noaudio 0 "ALUT"

run nodevice none
expect nodevice 1 "ALUT Error : There was an error opening the ALC device"
expect nodevice 1 "ALUT Error"
expect nodevice 0 "AL Error"
expect nodevice 1 "Run_Start"
exit $fail
