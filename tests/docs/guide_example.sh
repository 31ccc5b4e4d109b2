#!/usr/bin/env bash
# guide_example.sh MKGAME PLAYER GUIDE FORM: builds the guide's example game
# in the code form FORM (source, oldexec or bytecode), plays it headless and
# checks that it ends with status 0 and prints the guide's output block: the
# same lines in the same order, none of them missing or printed twice.
set -u
mkgame=$1 player=$2 guide=$3 form=$4
. "$(dirname "$0")/guide_block.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_guide_XXXXXX")
trap 'rm -rf "$work"' EXIT

guide_block "$guide" "example game" > "$work/example.json"
guide_block "$guide" "example output" > "$work/expected.txt"
[ -s "$work/example.json" ] && [ -s "$work/expected.txt" ] || { echo "the guide's example blocks are missing"; exit 1; }

args=() run_args=()
[ "$form" = bytecode ] && args+=(--bytecode)
[ "$form" = oldexec ] && run_args+=(-oldexec)
"$mkgame" "$work/example.json" -o "$work/example.win" "${args[@]}" > "$work/mkgame.out" 2>&1 ||
  { echo "mkgame failed:"; cat "$work/mkgame.out"; exit 1; }
env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=100 XDG_DATA_HOME="$work/data" \
    LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
    timeout 60 "$player" -game "$work/example.win" "${run_args[@]}" > "$work/out.txt" 2>&1 < /dev/null
status=$?

fail=0
[ $status -eq 0 ] || { echo "exit status $status, expected 0"; fail=1; }
# The printed lines that are lines of the expected block, in the order printed.
grep -Fxf "$work/expected.txt" "$work/out.txt" > "$work/printed.txt"
if ! diff "$work/expected.txt" "$work/printed.txt" > "$work/diff.txt"; then
  echo "the game's lines differ from the guide's (< guide, > printed):"; cat "$work/diff.txt"; fail=1
fi
[ $fail -eq 0 ] || { echo "---- player output"; cat "$work/out.txt"; }
exit $fail
