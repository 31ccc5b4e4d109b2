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

# perf's task clock counts processor time in nanoseconds; the shell's
# `time` only in scheduler ticks, coarser than the smaller games' share.
if perf stat -x, -e task-clock true > /dev/null 2>&1; then use_perf=1; else use_perf=0; fi

run_ms() {  # run_ms COMMAND...: the processor time (user + system) of one run, in ms
  if ((use_perf)); then
    perf stat -x, -e task-clock -- "$@" 2>&1 > /dev/null < /dev/null | awk -F, '$3 == "task-clock" { printf "%.1f", $1 }'
    return
  fi
  local TIMEFORMAT='%3U %3S' user system
  read -r user system < <({ time "$@" > /dev/null 2>&1 < /dev/null || true; } 2>&1)
  awk -v u="$user" -v s="$system" 'BEGIN { printf "%.1f", (u + s) * 1000 }'
}

median_ms() {  # median_ms COMMAND...: the median processor time of $runs runs, in ms
  # Processor time rather than the clock, and the median rather than the
  # least: on a shared machine both the clock and a lucky run of the empty
  # game swamp the few milliseconds the smaller games add.
  local times=()
  for ((r = 0; r < runs; ++r)); do times+=("$(run_ms "$@")"); done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
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
  source=$(median_ms "$build/korvalith" -game "$work/g$count.win")
  compiled=$(median_ms "$build/korvalith" -game "$work/g$count-code.win")
  luac=$(median_ms luac5.4 -p "$work/g$count.lua")
  awk -v n="$count" -v s="$source" -v c="$compiled" -v l="$luac" -v e="$empty" -v ec="$empty_code" 'BEGIN {
    s -= e; c -= ec
    printf "%7d %8.1f ms %12.1f %8.1f ms %12.1f %6.1f ms %12.1f %6.2f\n", n, s, s * 1000 / n, c, c * 1000 / n, l, l * 1000 / n,
           (l > 0 ? s / l : 0) }'
done
