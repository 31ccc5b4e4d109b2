#!/usr/bin/env bash
# draw_threads.sh [build dir] [frames] [repeats] [headless|window]
# Frames per second of a drawing-heavy game (busy_frames.json: 640 x 480,
# about 2,100 sprites and rectangles a frame, five of them passes through a
# surface) on the software GL driver, for each rasteriser thread count
# (LP_NUM_THREADS 0, 1 and one per core) with the device's waits for the
# driver's threads and without them (KORVALITH_NO_DRIVER_WAIT=1). Each run
# plays the game for the given frames and for one; the difference is the
# frames' time, start-up left out. The runs take turns, so a change in the
# machine's load falls on every way alike; each way's median and runs are
# printed with the load average before and after. "window" plays in a
# window on a private X server instead of headless.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
build=${1:-$root/build/release}
frames=${2:-600}
repeats=${3:-5}
mode=${4:-headless}
build=$(cd "$build" && pwd)

if [[ $mode == window && -z ${KV_TEST_DESKTOP:-} ]]; then
  KV_XVFB_SCREEN=800x600 exec "$root/tests/shell/xvfb_run.sh" "$0" "$build" "$frames" "$repeats" window
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_draw_bench_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_CLOCK=virtual XDG_DATA_HOME="$work/data"
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null MESA_SHADER_CACHE_DISABLE=true
if [[ $mode == headless ]]; then export KORVALITH_HEADLESS=1; fi
"$build/mkgame" "$here/busy_frames.json" -o "$work/busy.win" > /dev/null

cores=$(nproc)
ways=()
for threads in 0 1 "$cores"; do
  ways+=("$threads wait" "$threads nowait")
done

run_us() {  # run_us THREADS WAIT FRAMES: one run's wall time in microseconds
  local start end
  rm -rf "$work/data"
  start=$(date +%s%N)
  if [[ $2 == nowait ]]; then
    LP_NUM_THREADS=$1 KORVALITH_NO_DRIVER_WAIT=1 KORVALITH_MAX_FRAMES=$3 "$build/korvalith" -game "$work/busy.win" \
      > /dev/null 2>&1 < /dev/null
  else
    LP_NUM_THREADS=$1 KORVALITH_MAX_FRAMES=$3 "$build/korvalith" -game "$work/busy.win" > /dev/null 2>&1 < /dev/null
  fi
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

declare -A results
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((r = 0; r < repeats; ++r)); do
  for way in "${ways[@]}"; do
    read -r threads wait <<< "$way"
    whole=$(run_us "$threads" "$wait" "$frames")
    start_only=$(run_us "$threads" "$wait" 1)
    fps=$(awk -v w="$whole" -v s="$start_only" -v f="$frames" 'BEGIN { printf "%.1f", (f - 1) / ((w - s) / 1e6) }')
    results[$way]="${results[$way]:-} $fps"
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "busy_frames, $frames frames, $mode, $cores cores; load average before: $load_before, after: $load_after"
printf "%-8s %-8s %10s   %s\n" threads wait "median fps" runs
for way in "${ways[@]}"; do
  read -r threads wait <<< "$way"
  median=$(tr ' ' '\n' <<< "${results[$way]}" | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
  printf "%-8s %-8s %10s  %s\n" "$threads" "$wait" "$median" "${results[$way]}"
done
