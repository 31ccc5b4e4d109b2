#!/usr/bin/env bash
# demo_bench.sh [build dir] [runs]: the bundled demo's frame time and peak
# memory, headless on the software renderer. The demo plays its test's
# recording for 600 frames and for 1 frame; the frame time is the
# difference divided by 599 (start-up left out), the best of several runs.
# Peak memory is the resident set of the 600-frame run. Printed, not
# asserted: the aim is below 4 ms a frame and below 200 MB.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
build=${1:-$root/build/release}
runs=${2:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_demo_bench_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual XDG_DATA_HOME="$work/data"
export KORVALITH_ANSWERS="$root/tests/games/demo/demo.answers"
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null

"$build/mkrecording" "$root/tests/games/demo/demo.keys" -o "$work/demo.rec" --steps 600
"$root/games/demo/build.sh" "$build/mkgame" "$work/demo.win" > /dev/null

best_us() {  # best_us FRAMES: the fastest of $runs runs, in microseconds
  local best=""
  for ((r = 0; r < runs; ++r)); do
    rm -rf "$work/data"
    local start end
    start=$(date +%s%N)
    KORVALITH_MAX_FRAMES=$1 "$build/korvalith" -game "$work/demo.win" -playback "$work/demo.rec" \
      > /dev/null 2>&1 < /dev/null
    end=$(date +%s%N)
    local us=$(((end - start) / 1000))
    if [[ -z $best || $us -lt $best ]]; then best=$us; fi
  done
  echo "$best"
}

whole=$(best_us 600)
start_only=$(best_us 1)
rm -rf "$work/data"
peak_kb=$(KORVALITH_MAX_FRAMES=600 /usr/bin/time -f %M "$build/korvalith" -game "$work/demo.win" \
  -playback "$work/demo.rec" 2>&1 > /dev/null < /dev/null | tail -n 1)
awk -v w="$whole" -v s="$start_only" -v kb="$peak_kb" 'BEGIN {
  printf "demo, 600 frames headless: %.3f ms a frame (update and draw, start-up left out; aim below 4)\n", (w - s) / 599 / 1000
  printf "demo, peak memory: %.1f MB (aim below 200)\n", kb / 1024
}'
