#!/usr/bin/env bash
# code_forms.sh MKGAME PLAYER DESCRIPTION.json
# Each form of a game's code with and without -oldexec: compiled code, which
# the tree interpreter cannot run, plays with one line saying that none of
# its code runs; every other pairing runs the code without that line. Every
# run ends with status 0.
set -u
mkgame=$1 player=$2 description=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_forms_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=3 XDG_DATA_HOME="$work/data" \
  LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null
notice="This game holds compiled code only, which -oldexec cannot run: none of its code will run."
ran="the game's code ran"
failed=0

while IFS='|' read -r build run expected; do
  rm -f "$work/game.win" "$work/game.vxdebug"
  # shellcheck disable=SC2086 # the options are words
  "$mkgame" "$description" -o "$work/game.win" $build > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
  # shellcheck disable=SC2086
  "$player" -game "$work/game.win" $run > "$work/out.txt" 2>&1
  status=$?
  notices=$(grep -cxF "$notice" "$work/out.txt")
  runs=$(grep -cxF "$ran" "$work/out.txt")
  found="status $status, notice $notices, code ran $runs"
  if [ "$found" != "$expected" ]; then
    echo "mkgame [$build], player [$run]: $found; expected $expected"
    failed=1
  fi
done <<'CASES'
||status 0, notice 0, code ran 1
|-oldexec|status 0, notice 0, code ran 1
--bytecode||status 0, notice 0, code ran 1
--bytecode|-oldexec|status 0, notice 1, code ran 0
--bytecode --no-debug-info|-oldexec|status 0, notice 1, code ran 0
CASES
exit $failed
