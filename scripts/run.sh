#!/usr/bin/env bash
# run.sh [GAME.win] [options]: installs what is missing, builds, and runs the
# player on the given game file, or on the bundled demo game when none is given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release >/dev/null
build="$root/build/release"
if [ $# -eq 0 ]; then
  "$root/games/demo/build.sh" "$build/mkgame" "$root/games/demo.win"
  exec "$build/korvalith" -game "$root/games/demo.win"
fi
if [ "${1:0:1}" != "-" ]; then
  game=$1
  shift
  exec "$build/korvalith" -game "$game" "$@"
fi
exec "$build/korvalith" "$@"
