#!/usr/bin/env bash
# audio_game.sh MKGAME PLAYER
# A game that selects the audio system and embeds one WAV runs headless: with
# the null device, with "-noaudio", and with no device at all. On the virtual
# clock, without a file to mix into, sounds keep the clock's time: after
# 0.4 s of game time a 0.3 s sound has ended and a 0.5 s one plays on, in
# every run however fast the machine is.
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
run() {  # run NAME DRIVERS ARGS..., for $frames frames (5 unless set)
  local name=$1 drivers=$2; shift 2
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="${frames:-5}" XDG_DATA_HOME="$work/data" \
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
sox -n -r 22050 -b 16 -c 1 "$work/short.wav" synth 0.3 sine 440 || exit 1
sox -n -r 22050 -b 16 -c 1 "$work/long.wav" synth 0.5 sine 440 || exit 1
frames=20
for audio in false true; do
  if [ $audio = true ]; then ask=audio_is_playing play="audio_play_sound(snd_short, 0, false); audio_play_sound(snd_long, 0, false);"
  else ask=sound_isplaying play="sound_play(snd_short); sound_play(snd_long);"
  fi
  cat > "$work/clocked.json" <<JSON
{ "name": "clocked", "options": { "new_audio": $audio },
  "sounds": { "snd_short": { "file": "short.wav" }, "snd_long": { "file": "long.wav" } },
  "objects": { "player": { "events": {
    "create": "steps = 0; $play",
    "step": "steps += 1; if (steps == 12) { show_debug_message(\"playing \" + string($ask(snd_short)) + \" \" + string($ask(snd_long))); game_end(); }" } } },
  "rooms": [{ "width": 32, "height": 24, "speed": 30, "instances": [{ "object": "player" }] }] }
JSON
  "$mkgame" "$work/clocked.json" -o "$work/game.win" > "$work/mkgame.out" 2>&1 || { cat "$work/mkgame.out"; exit 1; }
  for round in 1 2; do
    run "clocked_${audio}_$round" null
    expect "clocked_${audio}_$round" 1 "playing 0 1"
  done
done
exit $fail
