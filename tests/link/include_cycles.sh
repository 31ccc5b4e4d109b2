#!/usr/bin/env bash
# include_cycles.sh SRC: fails when two sub-folders of one library under SRC
# include each other, directly or through other sub-folders of that library,
# or when two libraries (the top-level folders of SRC) do. Sub-folders are
# layers: each includes only the ones below it, so a reader can take a
# library from the bottom up. Files at a library's top level are its shared
# headers and are left out. Only quoted includes of the form
# "library/sub/file" count.
set -u
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: include_cycles.sh SRC"; exit 2; }
src=${1%/}
edges=$(mktemp "${TMPDIR:-/tmp}/kv_includes_XXXXXX")
trap 'rm -f "$edges"' EXIT

# One line per include between two different folders: GROUP FROM TO FILE,
# where GROUP is a library (FROM and TO are its sub-folders) or "src" (FROM
# and TO are libraries).
find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sort | while read -r file; do
  relative=${file#"$src"/}
  IFS=/ read -r -a from <<< "$relative"
  grep -o '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*"' "$file" | sed 's/.*"\(.*\)"/\1/' |
    while read -r included; do
      IFS=/ read -r -a to <<< "$included"
      [ ${#to[@]} -ge 2 ] && [ -d "$src/${to[0]}" ] || continue
      if [ "${from[0]}" != "${to[0]}" ]; then
        echo "src ${from[0]} ${to[0]} $relative"
      elif [ ${#from[@]} -ge 3 ] && [ ${#to[@]} -ge 3 ] && [ "${from[1]}" != "${to[1]}" ]; then
        echo "${from[0]} ${from[1]} ${to[1]} $relative"
      fi
    done
done > "$edges"

# Within each group, the folders each folder reaches; an include from A to B
# is part of a cycle when B reaches A.
report=$(awk '
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
        if (part[1] == g && ((g, part[3], part[2]) in reach)) {
          where = g == "src" ? "libraries" : "sub-folders of " g "/"
          print where ": " part[2] " -> " part[3] " (" example[key] ")"
        }
      }
      delete name
    }
  }
' "$edges" | sort)
[ -z "$report" ] && exit 0
echo "Includes that close a cycle (each is one example of the include):"
echo "$report" | sed 's/^/  /'
exit 1
