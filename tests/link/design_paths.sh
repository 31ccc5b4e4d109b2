#!/usr/bin/env bash
# design_paths.sh ROOT DESIGN: fails when DESIGN names a file that is not
# there: a name in backquotes with a folder and a suffix, lower case
# ("world/loop/step.cpp", "tests/link/known_calls_up.txt"), looked for
# under ROOT/src and under ROOT. Placeholders ("<family>/rows.h",
# "tests/games/NAME.json") are left alone.
set -u
[ $# -eq 2 ] && [ -d "$1" ] && [ -f "$2" ] || { echo "usage: design_paths.sh ROOT DESIGN"; exit 2; }
root=${1%/}
missing=$(grep -oE '`[a-z0-9_.-]+(/[a-z0-9_.-]+)*/[a-z0-9_-]+\.[a-z]+`' "$2" | tr -d '`' | sort -u |
  while read -r path; do
    [ -e "$root/src/$path" ] || [ -e "$root/$path" ] || echo "  $path"
  done)
[ -z "$missing" ] && exit 0
echo "Files named in $(basename "$2") that are not there:"
echo "$missing"
exit 1
