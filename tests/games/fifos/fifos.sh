#!/usr/bin/env bash
# fifos.sh MKGAME PLAYER FORM
# A fifo in the place of each file the player reads by name: the music a
# media command opens and the music a sound plays, an extension library, a
# text and an INI file (fifos.json, "@SAVE@" standing for the save folder),
# the input playback file, and "data.win" beside the program. Nobody ever
# writes into them: each answers as a missing or unusable file does, and
# nothing hangs.
set -u
. "$(dirname "$0")/../check_console.sh"
mkgame=$1 player=$2 form=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_fifos_XXXXXX")
trap 'rm -rf "$work"' EXIT
fail=0
save="$work/data/Fifo Readers"
sed "s|@SAVE@|$save|g" "$here/fifos.json" > "$work/fifos.json"
sed -e "s|@SAVE@|$save|g" -e "s|@WORK@|$work|g" "$here/fifos.expect" > "$work/fifos.expect"
args=()
[ "$form" = bytecode ] && args+=(--bytecode)
"$mkgame" "$work/fifos.json" -o "$work/fifos.win" "${args[@]}" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
run_args=(-game "$work/fifos.win")
[ "$form" = oldexec ] && run_args+=(-oldexec)
mkdir -p "$save"
for name in "$save/song.mp3" "$save/lib.so" "$save/fifo.txt" "$save/fifo.ini" "$work/song.mp3" "$work/playback.rec"; do
  mkfifo "$name" || exit 1
done
# The program with a fifo named "data.win" beside it.
mkdir "$work/bin"
cp "$player" "$work/bin/korvalith"
mkfifo "$work/bin/data.win"

# $1: a name for the run, $2: the program; the rest: more player arguments.
run() {
  local name=$1 program=$2
  shift 2
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=30 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 20 "$program" "${run_args[@]}" "$@" > "$work/$name.txt" 2>&1 < /dev/null
}
run game "$player"
check_console $? "$work/game.txt" "$work/fifos.expect" || fail=1
run playback "$player" -playback "$work/playback.rec"
printf '0\nUnable to open the input playback file "%s": input is not played back\nmci []\n' "$work/playback.rec" \
  > "$work/playback.expect"
check_console $? "$work/playback.txt" "$work/playback.expect" || fail=1
# The fifo beside the program is no game: the one named is played.
run beside "$work/bin/korvalith"
printf '0\nmci []\n' > "$work/beside.expect"
check_console $? "$work/beside.txt" "$work/beside.expect" || fail=1
if [ $fail -ne 0 ]; then
  for name in game playback beside; do echo "---- $name"; cat "$work/$name.txt"; done
  exit 1
fi
echo "fifos test passed"
