#!/usr/bin/env bash
# debug_lines.sh MKGAME PLAYER FOLDER: FOLDER/game.json compiled by mkgame
# fails at run time in a script called from a create event. With the
# debug-information file mkgame writes beside the game, the machine's report
# names both lines and their texts; without it, or with a damaged one, the
# lines are unknown and the run still ends as a machine error does.
set -u
mkgame=$1 player=$2 folder=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_debug_lines_XXXXXX")
trap 'rm -rf "$work"' EXIT

# name | mkgame options | what is done to the debug file | lines the report must hold, in order
cases=(
  "lines|--bytecode|keep|start| at Script.scr_fail (line 3) - room_speed = s;|called from - Object.obj_a.Create.0 (line 1) - scr_fail();"
  "switched off|--bytecode --no-debug-info|absent|start| at Script.scr_fail (line -1) - <unknown source line>"
  "cut short|--bytecode|truncate|Debug information file ignored: not a debug information file| at Script.scr_fail (line -1) - <unknown source line>"
  "table too long|--bytecode|count|Debug information file ignored: it is damaged| at Script.scr_fail (line -1) - <unknown source line>"
)

fail=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name options damage expected <<< "$entry"
  rm -rf "$work/game"* "$work/data"
  # A debug file left from another build must not survive a build without one.
  [ "$damage" = absent ] && echo stale > "$work/game.vxdebug"
  # shellcheck disable=SC2086
  "$mkgame" "$folder/game.json" -o "$work/game.win" $options > "$work/mkgame.txt" 2>&1 ||
    { echo "$name: mkgame failed"; cat "$work/mkgame.txt"; fail=1; continue; }
  debug="$work/game.vxdebug"
  case $damage in
    absent) [ -e "$debug" ] && { echo "$name: a debug file was left beside the game"; fail=1; } ;;
    keep) [ -s "$debug" ] || { echo "$name: no debug file beside the game"; fail=1; } ;;
    truncate) truncate -s $(($(stat -c %s "$debug") / 2)) "$debug" ;;
    count)  # the DBGI table's count word made far larger than the chunk
      at=$(grep -obUa DBGI "$debug" | head -n 1 | cut -d: -f1)
      printf '\377\377\377\017' | dd of="$debug" bs=1 seek=$((at + 8)) conv=notrunc status=none ;;
  esac
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=10 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 60 "$player" -game "$work/game.win" > "$work/out.txt" 2>&1 < /dev/null
  status=$?
  [ $status -eq 255 ] || { echo "$name: exit status $status, expected 255"; fail=1; }
  next=1
  IFS='|' read -r -a lines <<< "$expected"
  for line in "${lines[@]}"; do
    found=$(tail -n +"$next" "$work/out.txt" | grep -nxF -m 1 -- "$line" | cut -d: -f1)
    if [ -z "$found" ]; then
      echo "$name: missing (in order): $line"; fail=1; break
    fi
    next=$((next + found))
  done
  grep -qxF "not reached" "$work/out.txt" && { echo "$name: the script ran past its error"; fail=1; }
  [ $fail -eq 0 ] || { echo "---- $name: player output"; cat "$work/out.txt"; break; }
done
exit $fail
