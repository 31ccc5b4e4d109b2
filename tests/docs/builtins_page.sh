#!/usr/bin/env bash
# builtins_page.sh BUILTINREF PAGE OUTPUT: the reference of built-in names
# in the repository is the one builtinref writes from the registration
# tables now; a name, count, variable or constant added, changed or gone
# shows as a difference.
set -u
builtinref=$1 page=$2 output=$3
"$builtinref" "$output" || exit 1
if ! diff -u "$page" "$output" > "$output.diff"; then
  head -n 40 "$output.diff"
  echo "docs/builtins.md disagrees with the registration tables; write it afresh:"
  echo "  build/release/builtinref docs/builtins.md"
  exit 1
fi
