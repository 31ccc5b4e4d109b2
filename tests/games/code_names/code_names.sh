#!/usr/bin/env bash
# code_names.sh MKGAME PLAYER FOLDER: FOLDER/game.json fails at run time in
# a collision event. The source form and the compiled form name its code
# alike, after the other object, so a breakpoint written with that name
# stops the compiled game (under a tracer a breakpoint raises SIGTRAP).
set -u
mkgame=$1 player=$2 folder=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_code_names_XXXXXX")
trap 'rm -rf "$work"' EXIT
name=Object.o.victim.0
ulimit -c 0
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=10 XDG_DATA_HOME="$work/data" \
  LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null
fail=0

# form | mkgame options
for entry in "source|" "compiled|--bytecode"; do
  IFS='|' read -r form options <<< "$entry"
  # shellcheck disable=SC2086
  "$mkgame" "$folder/game.json" -o "$work/$form.win" $options > "$work/mkgame.txt" 2>&1 ||
    { echo "$form: mkgame failed"; cat "$work/mkgame.txt"; exit 1; }
  timeout 60 "$player" -game "$work/$form.win" > "$work/$form.txt" 2>&1 < /dev/null
  status=$?
  [ $status -eq 255 ] || { echo "$form: exit status $status, expected 255"; fail=1; }
  grep -q "^ at $name (line " "$work/$form.txt" ||
    { echo "$form: no line \" at $name (line\""; grep "^ at " "$work/$form.txt"; fail=1; }
done

if ! strace -o /dev/null true > /dev/null 2>&1; then
  echo "strace is missing or may not trace here: the breakpoint is not tried"
  exit $((fail ? 1 : 77))
fi
# strace ends as its tracee did: a death by SIGTRAP is 128 + 5.
# name given to -bp | status
for entry in "$name@1|133" "Object.o.<undefined>.0@1|255"; do
  IFS='|' read -r breakpoint expected <<< "$entry"
  timeout 60 strace -o /dev/null "$player" -game "$work/compiled.win" -bp "$breakpoint" > "$work/bp.txt" 2>&1 < /dev/null
  status=$?
  [ $status -eq "$expected" ] || { echo "-bp $breakpoint: exit status $status, expected $expected"; fail=1; }
done
exit $fail
