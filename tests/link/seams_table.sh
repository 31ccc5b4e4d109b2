#!/usr/bin/env bash
# seams_table.sh SRC DESIGN: fails when the seams table of DESIGN (the rows
# of the table under "## Seams and hooks, as they are") and the code under
# SRC disagree: a setter of a seam declared in SRC that no row names, a name
# in a row that SRC does not have, or a setter of the script engine's own
# called outside src/script/ (its host reaches it through ScriptHost only).
# A setter is a free function named *Set* or *Install* (or *Add*Filter,
# *Remove*Filter) that takes a function pointer or a table of them (a
# struct named *Hooks, *Seam, *Services, *Service or *Host).
set -u
[ $# -eq 2 ] && [ -d "$1" ] && [ -f "$2" ] || { echo "usage: seams_table.sh SRC DESIGN"; exit 2; }
src=${1%/}
design=$2

types=$( { grep -rhoE 'using [A-Za-z_0-9]+ = [^;]*\(\*\)' "$src" --include='*.h' | sed -E 's/using ([A-Za-z_0-9]+) =.*/\1/'
           grep -rhoE '^struct [A-Za-z_0-9]*(Hooks|Seam|Services|Service|Host)\b' "$src" --include='*.h' |
             sed -E 's/struct //'; } | sort -u | paste -sd'|')
# NAME FILE for every setter declared in a header.
setters=$(grep -rnE '^(inline )?(void|bool|uintptr_t) +([A-Za-z_0-9]*(Set|Install)[A-Za-z_0-9]*|[A-Za-z_0-9]*(Add|Remove)[A-Za-z_0-9]*Filter)\(' "$src" \
            --include='*.h' | grep -E "\((.*\b(${types:-none})\b|.*\(\*)" |
            sed -E 's/^([^:]*):[0-9]+:(inline )?[a-z_0-9]+ +([A-Za-z_0-9]+)\(.*/\3 \1/' | sort -u)

# The names in backquotes of the table's rows, namespaces dropped, paths left out.
table=$(awk '/^## Seams and hooks, as they are/ { in_section = 1; next }
             in_section && /^## / { exit }
             in_section && /^\| `?[A-Za-z]/ && !/^\| Seam \|/ { print }' "$design")
named=$(grep -oE '`[^`]+`' <<< "$table" | tr -d '`' | grep -E '^[A-Za-z_][A-Za-z_0-9:]*$' | sed 's/.*:://' | sort -u)

report=""
while read -r name file; do
  [ -n "$name" ] || continue
  grep -qx "$name" <<< "$named" || report+="  not in the table: $name (${file#"$src"/})"$'\n'
done <<< "$setters"
while read -r name; do
  [ -n "$name" ] || continue
  grep -rqw --include='*.h' --include='*.cpp' "$name" "$src" || report+="  not in the code: $name"$'\n'
done <<< "$named"
# The script engine's own setters, reached from outside it.
while read -r name file; do
  [ -n "$name" ] || continue
  case "$file" in "$src"/script/*) ;; *) continue ;; esac
  [ "$name" = ScriptHost_Install ] && continue
  outside=$(grep -rlw --include='*.h' --include='*.cpp' "$name" "$src" | grep -v "^$src/script/" | head -n 1)
  [ -z "$outside" ] || report+="  set outside the script host: $name (${outside#"$src"/})"$'\n'
done <<< "$setters"

[ -z "$report" ] && exit 0
echo "The seams table and the code disagree:"
printf '%s' "$report"
exit 1
