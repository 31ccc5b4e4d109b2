#!/usr/bin/env bash
# startup.sh [build dir] [runs]: writes games of 1,000 to 16,000 scripts (and
# as many object events) with mkgame and times the player from start to the
# end of its first frame, in the source and the compiled form, minus the
# same for an empty game; then Lua 5.4's `luac -p` on a Lua file of the same
# number of lines. Each figure is the median processor time of several runs.
# Per script, the time should stay flat as the count grows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/release}
runs=${2:-9}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_startup_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=1 XDG_DATA_HOME="$work/data"
# One rasteriser thread: its threads starting and stopping vary the empty
# game's time more than the smaller games add.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null LP_NUM_THREADS=1

median_ms() {  # median_ms COMMAND...: the median processor time (user + system) of $runs runs, in ms
  # Processor time rather than the clock, and the median rather than the
  # least: on a shared machine both the clock and a lucky run of the empty
  # game swamp the few milliseconds the smaller games add.
  local TIMEFORMAT='%3U %3S' times=()
  for ((r = 0; r < runs; ++r)); do
    local user system
    read -r user system < <({ time "$@" > /dev/null 2>&1 < /dev/null || true; } 2>&1)
    times+=("$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 + 0.5 }')")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

make_game() {  # make_game COUNT: writes g$COUNT.win, g$COUNT-code.win and g$COUNT.lua
  lua5.4 "$here/gen.lua" "$1" "$work/g$1.json" "$work/g$1.lua"
  "$build/mkgame" "$work/g$1.json" -o "$work/g$1.win" > /dev/null
  "$build/mkgame" "$work/g$1.json" -o "$work/g$1-code.win" --bytecode > /dev/null
}

make_game 0
# The empty game sets the baseline of every row: it gets three times the runs.
runs=$((runs * 3))
empty=$(median_ms "$build/korvalith" -game "$work/g0.win")
empty_code=$(median_ms "$build/korvalith" -game "$work/g0-code.win")
runs=$((runs / 3))
printf "%7s %10s %12s %10s %12s %9s %12s %6s\n" scripts source "us/script" compiled "us/script" "luac -p" "us/script" ratio
for count in 1000 2000 4000 8000 16000; do
  make_game "$count"
  source=$(($(median_ms "$build/korvalith" -game "$work/g$count.win") - empty))
  compiled=$(($(median_ms "$build/korvalith" -game "$work/g$count-code.win") - empty_code))
  luac=$(median_ms luac5.4 -p "$work/g$count.lua")
  awk -v n="$count" -v s="$source" -v c="$compiled" -v l="$luac" 'BEGIN {
    printf "%7d %8d ms %12.1f %8d ms %12.1f %6d ms %12.1f %6.2f\n", n, s, s * 1000 / n, c, c * 1000 / n, l, l * 1000 / n,
           (l > 0 ? s / l : 0) }'
done
