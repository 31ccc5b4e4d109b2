#!/usr/bin/env bash
# run_audio_game.sh MKGAME PLAYER WAVE_CHECK DESCRIPTION.json EXPECT WAVE FORM
# An audio game on the real clock: the description is copied to a work
# folder where sox and lame make the sounds it names, mkgame writes it and
# the player runs it with OpenAL's wave writer as the device. The console
# is checked as run_game.sh does (check_console.sh); the mixed output
# against WAVE by wave_check.
set -u
. "$(dirname "$0")/check_console.sh"
mkgame=$1 player=$2 wave_check=$3 description=$4 expect=$5 wave=$6 form=$7

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_audio_game_XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$description" "$work/"
cd "$work" || exit 1
sox -n -r 22050 -b 16 -c 1 tone440.wav synth 0.2 sine 440 || exit 1
sox -n -r 22050 -b 16 -c 1 long440.wav synth 2 sine 440 || exit 1
sox -n -r 22050 -b 16 -c 1 quiet.wav synth 0.2 sine 440 vol 0 || exit 1
sox -n -r 44100 -c 1 tone660.wav synth 2 sine 660 && lame --quiet tone660.wav tone660.mp3 || exit 1

args=()
[ "$form" = bytecode ] && args+=(--bytecode)
game="$work/game.win"
if ! "$mkgame" "$(basename "$description")" -o "$game" "${args[@]}" > mkgame.out 2>&1; then
  echo "mkgame failed:"; cat mkgame.out; exit 1
fi

printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n[wave]\nfile = %s\n' \
  "$work/out.wav" > alsoft.conf
run_args=(-game "$game")
[ "$form" = oldexec ] && run_args+=(-oldexec)
mkdir -p data
env KORVALITH_HEADLESS=1 KORVALITH_MAX_FRAMES=20 XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 \
    GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=wave ALSOFT_CONF="$work/alsoft.conf" \
    timeout 60 "$player" "${run_args[@]}" > out.txt 2> err.txt < /dev/null
status=$?

fail=0
check_console "$status" out.txt "$expect" || fail=1

# The thread-sanitizer build runs the player several times slower, its
# start and end most of all, so the shares of a real-clock mix no longer
# hold there: its tests set KV_SKIP_WAVE_CHECK=1 and check the console only.
if [ "${KV_SKIP_WAVE_CHECK:-0}" != 1 ]; then
  "$wave_check" out.wav "$wave" || fail=1
fi
if [ $fail -ne 0 ]; then
  echo "---- player output"; cat out.txt; echo "---- stderr"; cat err.txt
fi
exit $fail
