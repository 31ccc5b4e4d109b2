#!/usr/bin/env bash
# code_examples.sh MKGAME PLAYER FORM [--every-block] PAGE...: runs the code
# examples of the pages in one game, in the code form FORM (source, oldexec
# or bytecode), and checks that each prints what its page says.
# A page marks what its examples need with a comment line before a fenced
# block:
#   <!-- example: NAME -->  the block is code, run as the Create event of an
#                           instance alone in a room of its own;
#   <!-- prints -->         the block is every line the example before it
#                           prints, in order (an empty block: none);
#   <!-- prints with -oldexec -->  after a prints block: what the example
#                           prints on the tree interpreter instead, where the
#                           two interpreters differ;
#   <!-- script: NAME -->   the block is the code of a script of that name;
#   <!-- object: NAME -->   the block is an object's description (JSON).
# Scripts and objects come in the order the pages give them, before the
# examples' own objects. With --every-block before a page, every fenced
# block of that page must be one of these, so no example escapes the test.
set -u
. "$(dirname "$0")/play_form.sh"
mkgame=$1 player=$2 form=$3
shift 3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_examples_XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/objects" "$work/examples"

# Splits a page into files: scripts/NN_NAME, objects/NN_NAME,
# examples/NN_NAME.code and examples/NN_NAME.prints. Complains on stdout.
split_page() {
  awk -v every="$2" -v page="$1" -v out="$work" -v first="$3" -v order="$4" '
    function fail(message) { print page ":" NR ": " message; bad = 1 }
    /^<!-- (example|script|object): [A-Za-z0-9_]+ -->$/ {
      split($0, part, /[: ]+/)
      kind = part[2]; name = part[3]
      if (kind == "example") { example = name; tree_example = ""; ++count }
      pending = kind; next
    }
    /^<!-- prints -->$/ {
      if (example == "") fail("prints before any example")
      pending = "prints"; tree_example = example; next
    }
    /^<!-- prints with -oldexec -->$/ {
      if (tree_example == "") fail("tree prints before any prints block")
      pending = "tree"; next
    }
    /^```/ && !inside {
      inside = 1; start = NR
      number = sprintf("%03d", first + count)
      if (pending == "example") file = out "/examples/" number "_" name ".code"
      else if (pending == "prints") { file = out "/examples/" number "_" example ".prints"; example = "" }
      else if (pending == "tree") { file = out "/examples/" number "_" tree_example ".tree"; tree_example = "" }
      else if (pending == "script") file = out "/scripts/" order sprintf("%05d", NR) "_" name
      else if (pending == "object") file = out "/objects/" order sprintf("%05d", NR) "_" name
      else { file = ""; if (every) fail("a code block that no test runs") }
      if (file != "") printf "" > file
      pending = ""; next
    }
    /^```/ && inside { inside = 0; if (file != "") close(file); next }
    inside && file != "" { print > file; next }
    END { if (pending != "") fail("a marker without its block"); print count > (out "/count") }
  ' "$1"
}

every=0 examples=0 pages=()
for argument in "$@"; do
  if [ "$argument" = --every-block ]; then every=1; continue; fi
  pages+=("$argument")
  problems=$(split_page "$argument" "$every" "$examples" "${#pages[@]}")
  [ -z "$problems" ] || { echo "$problems"; exit 1; }
  examples=$((examples + $(cat "$work/count")))
  every=0
done
[ "$examples" -gt 0 ] || { echo "no examples in ${pages[*]}"; exit 1; }
for code in "$work"/examples/*.code; do
  [ -f "${code%.code}.prints" ] || { echo "example $(basename "${code%.code}") has no prints block"; exit 1; }
done
names=$(for code in "$work"/examples/*.code; do basename "${code%.code}" | cut -d_ -f2-; done)
duplicates=$(echo "$names" | sort | uniq -d)
[ -z "$duplicates" ] || { echo "examples named twice: $duplicates"; exit 1; }

# A file's lines as one JSON string's contents.
text_of() { sed -e 's/\\/\\\\/g' -e 's/"/\\"/g' -e 's/\t/\\t/g' "$1" | awk 'BEGIN { ORS = "" } NR > 1 { print "\\n" } { print }'; }
name_of() { basename "$1" | cut -d_ -f2-; }

{
  echo '{"name": "Code examples", "window": {"width": 64, "height": 48},'
  echo '"scripts": {'
  separator=""
  for script in "$work"/scripts/*; do
    [ -f "$script" ] || continue
    printf '%s"%s": "%s"\n' "$separator" "$(name_of "$script")" "$(text_of "$script")"
    separator=","
  done
  echo '}, "objects": {'
  separator=""
  for object in "$work"/objects/*; do
    [ -f "$object" ] || continue
    printf '%s"%s": ' "$separator" "$(name_of "$object")"
    cat "$object"
    separator=","
  done
  for code in "$work"/examples/*.code; do
    printf '%s"obj_example_%s": {"events": {"create": "%s"}}\n' "$separator" "$(name_of "${code%.code}")" \
      "$(text_of "$code")"
    separator=","
  done
  # The examples start with the first room change, after the player's own
  # start-up lines.
  echo '}, "rooms": [{"name": "rm_start", "code": "room_goto_next()"},'
  for code in "$work"/examples/*.code; do
    name=$(name_of "${code%.code}")
    printf '{"name": "rm_%s", "width": 64, "height": 48, "code": "room_goto_next()", "instances": [{"object": "obj_example_%s", "code": "show_debug_message(\\"== %s\\")"}]},\n' \
      "$name" "$name" "$name"
  done
  echo '{"name": "rm_done", "code": "show_debug_message(\"== done\"); game_end()"}]}'
} > "$work/examples.json"

for code in "$work"/examples/*.code; do
  echo "== $(name_of "${code%.code}")"
  if [ "$form" = oldexec ] && [ -f "${code%.code}.tree" ]; then cat "${code%.code}.tree"; else cat "${code%.code}.prints"; fi
done > "$work/expected.txt"
echo "== done" >> "$work/expected.txt"

play_form "$mkgame" "$player" "$work/examples.json" "$form" $((examples + 10))
status=$?
[ $status -ne 125 ] || exit 1

# From the first example's first line through the last line.
sed -n '/^== /,/^== done$/p' "$work/out.txt" > "$work/printed.txt"
check_play $status "$work/expected.txt" "$work/printed.txt" \
  "the examples print other lines than their pages say (< page, > printed):"
