#!/usr/bin/env bash
# guide_example.sh MKGAME PLAYER GUIDE FORM: builds the guide's example game
# in the code form FORM (source, oldexec or bytecode), plays it headless and
# checks that it ends with status 0 and prints the guide's output block: the
# same lines in the same order, none of them missing or printed twice.
set -u
mkgame=$1 player=$2 guide=$3 form=$4
. "$(dirname "$0")/guide_block.sh"
. "$(dirname "$0")/play_form.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_guide_XXXXXX")
trap 'rm -rf "$work"' EXIT

guide_block "$guide" "example game" > "$work/example.json"
guide_block "$guide" "example output" > "$work/expected.txt"
[ -s "$work/example.json" ] && [ -s "$work/expected.txt" ] || { echo "the guide's example blocks are missing"; exit 1; }

play_form "$mkgame" "$player" "$work/example.json" "$form" 100
status=$?
[ $status -ne 125 ] || exit 1

# The printed lines that are lines of the expected block, in the order printed.
grep -Fxf "$work/expected.txt" "$work/out.txt" > "$work/printed.txt"
check_play $status "$work/expected.txt" "$work/printed.txt" \
  "the game's lines differ from the guide's (< guide, > printed):"
