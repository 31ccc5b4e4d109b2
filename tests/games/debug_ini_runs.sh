#!/usr/bin/env bash
# debug_ini_runs.sh MKGAME PLAYER FOLDER: three headless "-debug" runs of
# FOLDER/game.json keep the debugger's settings in the save folder's
# Debug.ini. The first, reading FOLDER/start.ini (frame rate off, two
# watches, the messages pane placed), writes FOLDER/first.ini byte for byte;
# the second reads that and writes its sections and each section's keys in
# reverse order, as every INI file read and written again does; the third
# writes the first's bytes again. FPSVisible stays false in each: the
# frame-rate bit of the overlay flags ends clear.
set -u
mkgame=$1 player=$2 folder=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_debug_ini_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$mkgame" "$folder/game.json" -o "$work/game.win" || exit 1
save="$work/data/debugthrice"
mkdir -p "$save"
cp "$folder/start.ini" "$save/Debug.ini"

run() {
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=60 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 60 "$player" -game "$work/game.win" -debug > "$work/out$1.txt" 2>&1
  status=$?
  [ "$status" = 0 ] || { echo "run $1 exited with $status"; cat "$work/out$1.txt"; exit 1; }
  grep -q "^Create Debug Form$" "$work/out$1.txt" || { echo "run $1 made no debugger form"; exit 1; }
  cp "$save/Debug.ini" "$work/run$1.ini"
}

# Sections in reverse order, each with its keys in reverse order.
reversed() {
  awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
       /^\[/ { n++; head[n] = $0; count[n] = 0; next }
       { count[n]++; line[n, count[n]] = $0 }
       END { for (i = n; i >= 1; i--) { print head[i]; for (j = count[i]; j >= 1; j--) print line[i, j] } }' "$1"
}

fail=0
run 1
cmp -s "$work/run1.ini" "$folder/first.ini" || { echo "first run's Debug.ini differs:"; cat -A "$work/run1.ini"; fail=1; }
run 2
reversed "$work/run1.ini" > "$work/expected2.ini"
cmp -s "$work/run2.ini" "$work/expected2.ini" || { echo "second run's Debug.ini is not the first reversed:"; cat -A "$work/run2.ini"; fail=1; }
run 3
cmp -s "$work/run3.ini" "$work/run1.ini" || { echo "third run's Debug.ini differs from the first's:"; cat -A "$work/run3.ini"; fail=1; }
for i in 1 2 3; do
  grep -q "^FPSVisible=false"$'\r'"$" "$work/run$i.ini" || { echo "run $i left the frame-rate overlay on"; fail=1; }
done
exit $fail
