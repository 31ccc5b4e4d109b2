#!/usr/bin/env bash
# guide_switches.sh MKGAME PLAYER GUIDE COMMAND_LINE_SOURCE: every switch the
# player's command line reads is in the guide's switch table, and every
# row's example, run headless on a small game, starts it and ends it
# normally (status 0, the main loop entered, the closing frame rates).
# In an example, GAME stands for the game file and DIR for a scratch folder.
set -u
mkgame=$1 player=$2 guide=$3 source=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_switches_XXXXXX")
trap 'rm -rf "$work"' EXIT

# The table's rows: "| `-switch ...` | `example` | ...".
awk '/^<!-- switches/ { on = 1; next } on && !/^\|/ && seen { exit } on && /^\|/ { seen = 1; print }' "$guide" |
  tail -n +3 > "$work/rows.txt"
[ -s "$work/rows.txt" ] || { echo "no switch table in the guide"; exit 1; }

fail=0
for option in $(grep -o 'option == "-[a-z]*"' "$source" | grep -o '\-[a-z]*'); do
  grep -q "^| \`$option[ \`]" "$work/rows.txt" || { echo "the guide does not list $option"; fail=1; }
done

echo '{"name": "switches", "objects": {"o": {"events": {"step": "show_debug_message(\"step\")"}}},
       "rooms": [{"instances": [{"object": "o", "x": 0, "y": 0}]}]}' > "$work/game.json"
"$mkgame" "$work/game.json" -o "$work/game.win" || exit 1

while IFS= read -r row; do
  example=$(echo "$row" | awk -F'|' '{ print $3 }' | sed 's/^ *`//; s/` *$//')
  example=${example//GAME/$work\/game.win}
  example=${example//DIR/$work}
  read -r -a words <<< "$example"
  args=(-game "$work/game.win")
  [ "${words[0]}" = -game ] && args=()
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=5 XDG_DATA_HOME="$work/data" \
      LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
      timeout 60 "$player" "${args[@]}" "${words[@]}" > "$work/out.txt" 2>&1 < /dev/null
  status=$?
  if [ $status -ne 0 ] || ! grep -q '^Entering main loop' "$work/out.txt" || ! grep -q '^step$' "$work/out.txt" ||
     ! grep -q '^minFPS, maxFPS, avgFPS$' "$work/out.txt"; then
    echo "\"$example\" did not start and end normally (status $status):"; tail -20 "$work/out.txt"; fail=1
  fi
done < "$work/rows.txt"
exit $fail
