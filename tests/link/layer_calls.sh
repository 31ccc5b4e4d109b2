#!/usr/bin/env bash
# layer_calls.sh DESIGN SRC [--known FILE] LIBRARY=ARCHIVE...: fails when an
# object file uses a function or a global variable defined higher up than
# itself: in a library above its own in the link order, or in a layer above
# its own within one library (the order DESIGN documents, read by
# layer_order.awk). A call up has to go through a seam; a declaration in a
# lower header does not make it one. Each object is placed by the source
# file of its name under SRC/LIBRARY (files that are not there, such as
# generated ones, count as the top level). FILE lists known calls up, one
# "FROM TO NAME" line each (layers as LIBRARY/SUB, NAME without its
# parameters); each one must still happen.
set -u
usage() { echo "usage: layer_calls.sh DESIGN SRC [--known FILE] LIBRARY=ARCHIVE..."; exit 2; }
[ $# -ge 3 ] && [ -f "$1" ] && [ -d "$2" ] || usage
design=$1
src=${2%/}
shift 2
known=/dev/null
if [ "$1" = "--known" ]; then
  [ $# -ge 3 ] || usage
  known=$2
  shift 2
fi
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_layers_XXXXXX")
trap 'rm -rf "$work"' EXIT

awk -f "$here/layer_order.awk" "$design" > "$work/order"
# LIBRARY MEMBER SUB for every source file under SRC.
find "$src" -type f \( -name '*.cpp' -o -name '*.c' \) | sort | while read -r file; do
  IFS=/ read -r -a part <<< "${file#"$src"/}"
  sub=.
  [ ${#part[@]} -ge 3 ] && sub=${part[1]}
  echo "${part[0]} ${part[${#part[@]} - 1]}.o $sub"
done > "$work/places"
# LIBRARY FIELD... as nm lists it: ARCHIVE:MEMBER:[ADDRESS] TYPE SYMBOL.
for pair in "$@"; do
  library=${pair%%=*}
  archive=${pair#*=}
  [ "$library" != "$pair" ] || usage
  nm -A -g "$archive" > "$work/nm" || { echo "cannot read the symbols of $archive"; exit 2; }
  sed "s/^/$library /" "$work/nm" >> "$work/symbols"
done

awk -v known="$known" -v order="$work/order" -v places="$work/places" '
  function rank(library, sub_) {
    if ((library, sub_) in layer) return layer[library, sub_]
    if ((library, "*") in layer) return layer[library, "*"]
    unplaced[library "/" sub_] = 1
    return -1
  }
  function place(library, member, n, i, first) {
    if (!((library, member) in count)) return "."
    n = count[library, member]
    first = where[library, member, 1]
    for (i = 2; i <= n; i++)
      if (rank(library, where[library, member, i]) != rank(library, first)) ambiguous[library ":" member] = 1
    return first
  }
  FILENAME == known { if ($0 !~ /^#/ && NF == 3) { allowed[$1, $2, $3] = 1; unused[$1 " -> " $2 " " $3] = 1 }; next }
  FILENAME == order { if (NF == 2) libraryRank[$1] = $2; else layer[$1, $2] = $3; next }
  FILENAME == places { where[$1, $2, ++count[$1, $2]] = $3; next }
  {
    n = split($2, part, ":")
    member = part[n - 1]
    if (NF == 4 && $3 ~ /^[TDBRGS]$/) definedIn[$4] = $1 "/" place($1, member)
    else if (NF == 4 && $3 == "U") uses[++useCount] = $1 "/" place($1, member) " " $4 " " member
  }
  END {
    for (i = 1; i <= useCount; i++) {
      split(uses[i], use, " ")
      if (!(use[2] in definedIn)) continue
      split(use[1], from, "/")
      split(definedIn[use[2]], to, "/")
      if (!(from[1] in libraryRank)) unplaced[from[1]] = 1
      if (!(to[1] in libraryRank)) unplaced[to[1]] = 1
      if (!(from[1] in libraryRank) || !(to[1] in libraryRank)) continue
      if (from[1] != to[1]) up = libraryRank[to[1]] > libraryRank[from[1]]
      else up = rank(to[1], to[2]) > rank(from[1], from[2])
      if (!up) continue
      name = use[2]
      command = "c++filt \"" name "\""
      command | getline name
      close(command)
      short = name
      sub(/\(.*/, "", short)
      if ((use[1], definedIn[use[2]], short) in allowed) { delete unused[use[1] " -> " definedIn[use[2]] " " short]; continue }
      print "up: " use[1] " -> " definedIn[use[2]] " " name " (" use[3] ")"
    }
    for (key in unplaced) print "not in the documented order: " key
    for (key in ambiguous) print "two sources of one name at different layers: " key
    for (key in unused) print "known call up no longer made: " key
  }
' "$known" "$work/order" "$work/places" "$work/symbols" | sort -u > "$work/report"
[ -s "$work/report" ] || exit 0
echo "Calls against the layer order (docs/design.md, \"Layers\"):"
sed 's/^/  /' "$work/report"
exit 1
