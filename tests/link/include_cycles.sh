#!/usr/bin/env bash
# include_cycles.sh SRC [DESIGN]: fails when two layers of one library under
# SRC include each other, directly or through other layers of that library,
# or when two libraries (the top-level folders of SRC) do. A library's layers
# are its sub-folders and its top-level files ("."). With DESIGN, it also
# fails on each include against the order that docs/design.md documents
# (read by layer_order.awk): the link order of the libraries and each
# library's order of layers, so a reader can take a library from the bottom
# up. Only quoted includes of the form "library/file" or "library/sub/file"
# count.
set -u
[ $# -ge 1 ] && [ $# -le 2 ] && [ -d "$1" ] || { echo "usage: include_cycles.sh SRC [DESIGN]"; exit 2; }
src=${1%/}
edges=$(mktemp "${TMPDIR:-/tmp}/kv_includes_XXXXXX")
order=$(mktemp "${TMPDIR:-/tmp}/kv_order_XXXXXX")
trap 'rm -f "$edges" "$order"' EXIT
if [ $# -eq 2 ]; then
  awk -f "$(dirname "$0")/layer_order.awk" "$2" > "$order"
fi

# One line per include between two different folders: GROUP FROM TO FILE,
# where GROUP is a library (FROM and TO are its layers) or "src" (FROM and TO
# are libraries).
find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sort | while read -r file; do
  relative=${file#"$src"/}
  IFS=/ read -r -a from <<< "$relative"
  grep -o '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*"' "$file" | sed 's/.*"\(.*\)"/\1/' |
    while read -r included; do
      IFS=/ read -r -a to <<< "$included"
      [ ${#to[@]} -ge 2 ] && [ -d "$src/${to[0]}" ] || continue
      fromLayer=.
      toLayer=.
      [ ${#from[@]} -ge 3 ] && fromLayer=${from[1]}
      [ ${#to[@]} -ge 3 ] && toLayer=${to[1]}
      if [ "${from[0]}" != "${to[0]}" ]; then
        echo "src ${from[0]} ${to[0]} $relative"
      elif [ "$fromLayer" != "$toLayer" ]; then
        echo "${from[0]} $fromLayer $toLayer $relative"
      fi
    done
done > "$edges"

# Within each group, the folders each folder reaches; an include from A to B
# is part of a cycle when B reaches A. An include against the documented
# order goes from a lower library or layer to a higher one.
report=$(awk -v order="$order" '
  function rank(g, layer) {
    if (g == "src") return (layer in libraryRank) ? libraryRank[layer] : -1
    if ((g, layer) in layerRank) return layerRank[g, layer]
    return ((g, "*") in layerRank) ? layerRank[g, "*"] : -1
  }
  function where(g) { return g == "src" ? "libraries" : "sub-folders of " g "/" }
  FILENAME == order { if (NF == 2) libraryRank[$1] = $2; else layerRank[$1, $2] = $3; next }
  !(($1, $2, $3) in example) { example[$1, $2, $3] = $4; group[$1] = 1; node[$1, $2] = 1; node[$1, $3] = 1
                               reach[$1, $2, $3] = 1 }
  END {
    for (g in group) {
      n = 0
      for (key in node) { split(key, part, SUBSEP); if (part[1] == g) name[++n] = part[2] }
      for (k = 1; k <= n; k++)
        for (i = 1; i <= n; i++)
          if ((g, name[i], name[k]) in reach)
            for (j = 1; j <= n; j++)
              if ((g, name[k], name[j]) in reach) reach[g, name[i], name[j]] = 1
      for (key in example) {
        split(key, part, SUBSEP)
        if (part[1] != g) continue
        line = where(g) ": " part[2] " -> " part[3] " (" example[key] ")"
        if ((g, part[3], part[2]) in reach) print "1 " line
        if (length(libraryRank) == 0) continue
        from = rank(g, part[2])
        to = rank(g, part[3])
        if (from < 0) print "3 " where(g) ": " part[2]
        if (to < 0) print "3 " where(g) ": " part[3]
        if (from >= 0 && to > from) print "2 " line
      }
      delete name
    }
  }
' "$order" "$edges" | sort -u)
[ -z "$report" ] && exit 0
heading[1]="Includes that close a cycle (each is one example of the include):"
heading[2]="Includes against the documented order (docs/design.md, \"Layers\"):"
heading[3]="Not in the documented order:"
for kind in 1 2 3; do
  lines=$(echo "$report" | sed -n "s/^$kind /  /p")
  [ -n "$lines" ] && printf '%s\n%s\n' "${heading[$kind]}" "$lines"
done
exit 1
