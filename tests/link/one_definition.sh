#!/usr/bin/env bash
# one_definition.sh LIBRARY.a...: fails when a function or a global variable
# is defined by more than one object file of these static libraries. With
# two definitions the one a program gets depends on the order the libraries
# are linked in; a subsystem that is not built yet is installed as a service
# instead (src/world/start/service_list.cpp). Inline, template and other weak
# definitions are merged by the linker and do not count.
set -u
[ $# -gt 0 ] || { echo "usage: one_definition.sh LIBRARY.a..."; exit 2; }
listing=$(mktemp "${TMPDIR:-/tmp}/kv_symbols_XXXXXX")
trap 'rm -f "$listing"' EXIT
for library in "$@"; do
  # Lines read LIBRARY:MEMBER:ADDRESS TYPE SYMBOL.
  nm -A --defined-only -g "$library" >> "$listing" || { echo "cannot read the symbols of $library"; exit 2; }
done
twice=$(awk '
  NF == 3 && $2 ~ /^[TDBRGS]$/ {
    n = split($1, part, ":")
    sub(".*/", "", part[n - 2])
    place = part[n - 2] "(" part[n - 1] ")"
    if (!(($3, place) in seen)) {
      seen[$3, place] = 1
      count[$3]++
      places[$3] = places[$3] " " place
    }
  }
  END { for (symbol in count) if (count[symbol] > 1) print symbol "\t" places[symbol] }
' "$listing" | sort)
[ -z "$twice" ] && exit 0
echo "Defined more than once:"
while IFS=$'\t' read -r symbol where; do
  echo "  $(echo "$symbol" | c++filt) in$where"
done <<< "$twice"
exit 1
