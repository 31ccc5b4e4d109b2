#!/usr/bin/env bash
# run_audio_game.sh MKGAME PLAYER WAVE_CHECK DESCRIPTION.json EXPECT WAVE FORM
# An audio game on the virtual clock: the description is copied to a work
# folder where sox and lame make the sounds it names, mkgame writes it and
# the player runs it with its sound rendered as the clock moves
# (KORVALITH_AUDIO_OUT), so the mix depends on the frames alone, never on
# how fast the machine runs. The console is checked as run_game.sh does
# (check_console.sh); the mixed output against WAVE by wave_check.
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

run_args=(-game "$game")
[ "$form" = oldexec ] && run_args+=(-oldexec)
mkdir -p data
play() {  # OUT.wav CONSOLE
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_AUDIO_OUT="$work/$1" KORVALITH_MAX_FRAMES=20 \
      XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
      timeout 60 "$player" "${run_args[@]}" > "$2" 2>> err.txt < /dev/null
}
play out.wav out.txt
status=$?

fail=0
check_console "$status" out.txt "$expect" || fail=1

"$wave_check" out.wav "$wave" || fail=1
# A second run, the machine as busy as it is then, mixes the same bytes.
play again.wav again.txt
cmp -s out.wav again.wav || { echo "FAIL: a second run mixed other sound"; fail=1; }
if [ $fail -ne 0 ]; then
  echo "---- player output"; cat out.txt; echo "---- stderr"; cat err.txt
fi
exit $fail
