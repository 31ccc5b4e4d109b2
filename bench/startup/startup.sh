#!/usr/bin/env bash
# startup.sh [build dir] [runs]: writes games of 1,000 to 16,000 scripts (and
# as many object events) with mkgame and times the player from start to the
# end of its first frame, in the source and the compiled form, minus the
# same for an empty game; then Lua 5.4's `luac -p` on a Lua file of the same
# number of lines. Each figure is the best of several runs. Per script, the
# time should stay flat as the count grows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/release}
runs=${2:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_startup_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=1 XDG_DATA_HOME="$work/data"
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null

best_ms() {  # best_ms COMMAND...: the fastest of $runs runs, in milliseconds
  local best=""
  for ((r = 0; r < runs; ++r)); do
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1 < /dev/null || true
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000000))
    if [[ -z $best || $ms -lt $best ]]; then best=$ms; fi
  done
  echo "$best"
}

make_game() {  # make_game COUNT: writes g$COUNT.win, g$COUNT-code.win and g$COUNT.lua
  lua5.4 "$here/gen.lua" "$1" "$work/g$1.json" "$work/g$1.lua"
  "$build/mkgame" "$work/g$1.json" -o "$work/g$1.win" > /dev/null
  "$build/mkgame" "$work/g$1.json" -o "$work/g$1-code.win" --bytecode > /dev/null
}

make_game 0
# The empty game sets the baseline of every row: it gets three times the runs.
runs=$((runs * 3))
empty=$(best_ms "$build/korvalith" -game "$work/g0.win")
empty_code=$(best_ms "$build/korvalith" -game "$work/g0-code.win")
runs=$((runs / 3))
printf "%7s %10s %12s %10s %12s %9s %12s %6s\n" scripts source "us/script" compiled "us/script" "luac -p" "us/script" ratio
for count in 1000 2000 4000 8000 16000; do
  make_game "$count"
  source=$(($(best_ms "$build/korvalith" -game "$work/g$count.win") - empty))
  compiled=$(($(best_ms "$build/korvalith" -game "$work/g$count-code.win") - empty_code))
  luac=$(best_ms luac5.4 -p "$work/g$count.lua")
  awk -v n="$count" -v s="$source" -v c="$compiled" -v l="$luac" 'BEGIN {
    printf "%7d %8d ms %12.1f %8d ms %12.1f %6d ms %12.1f %6.2f\n", n, s, s * 1000 / n, c, c * 1000 / n, l, l * 1000 / n,
           (l > 0 ? s / l : 0) }'
done
