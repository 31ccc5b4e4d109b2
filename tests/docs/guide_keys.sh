#!/usr/bin/env bash
# guide_keys.sh GUIDE READER_SOURCE...: every key the description reader
# accepts (the names its OnlyKeys lists allow, its option words and its
# event kinds) is named in the guide, in backquotes or double quotes
# (or after a colon, as "begin" in `step:begin`).
set -u
guide=$1
shift
keys=$(cat "$@" | tr '\n' ' ' |
  grep -oE 'OnlyKeys\(\{[^}]*\}\)|\{"[a-z_]+", [0-9]+\}|(kind|arg) == "[a-z]+"' | grep -oE '"[a-z_]+"' | tr -d '"' | sort -u)
[ -n "$keys" ] || { echo "no keys found in the reader"; exit 1; }
fail=0
for key in $keys; do
  grep -qE "[\`\":]$key[\`\":]" "$guide" || { echo "the guide does not name the key \"$key\""; fail=1; }
done
exit $fail
