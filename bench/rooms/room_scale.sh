#!/usr/bin/env bash
# room_scale.sh [build dir] [runs]: how the room's costs grow with its
# population, through the player (headless, real clock, room speed 9999).
# Each figure is the best of several runs; each line ends with the ratio it
# is judged by (the aim is at most 1.5 for each):
#   depth     n movers setting depth = -y each step, frame time over the
#             same movers without it, at 1,000 and 8,000;
#   create    creating 1,000 instances with 30,000 alive over with 1,000;
#   start     a room start of 20,000 instances per instance over 2,500's;
#   load      game_load of a room of 20,000 instances per instance over 2,500's;
#   activate  deactivating each of n instances by its own call, then
#             activating each again by its id, per instance, 20,000 over 2,500;
#   carry     a room change carrying n persistent instances, per instance,
#             20,000 over 2,500.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
build=${1:-$root/build/release}
runs=${2:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_room_scale_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 XDG_DATA_HOME="$work/data" KORVALITH_MAX_FRAMES=100000
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null LP_NUM_THREADS=2

python3 "$here/room_scale_games.py" "$work"
for desc in "$work"/*.json; do "$build/mkgame" "$desc" -o "${desc%.json}.win" > /dev/null; done

# best NAME KEY: the smallest value the game prints after "KEY " over $runs runs.
best() {
  local best=""
  for ((r = 0; r < runs; ++r)); do
    rm -rf "$work/data"
    local v
    v=$("$build/korvalith" -game "$work/$1.win" < /dev/null 2> /dev/null | awk -v k="$2" '$1 == k { print $2 }' | tail -n 1)
    if [[ -z $best ]] || awk -v a="$v" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$v; fi
  done
  echo "$best"
}

for n in 1000 8000; do
  with=$(best "depth_$n" frame_us)
  without=$(best "still_$n" frame_us)
  awk -v n="$n" -v a="$with" -v b="$without" \
    'BEGIN { printf "depth   %5d instances  with %9.1f us  without %9.1f us a frame  ratio %.2f\n", n, a, b, a / b }'
done
few=$(best create_1000 create_us)
many=$(best create_30000 create_us)
awk -v a="$many" -v b="$few" \
  'BEGIN { printf "create  1000 new  with 30000 alive %9.1f us  with 1000 alive %9.1f us  ratio %.2f\n", a, b, a / b }'
for key in start load; do
  small=$(best rooms_2500 "${key}_us")
  large=$(best rooms_20000 "${key}_us")
  awk -v k="$key" -v a="$large" -v b="$small" \
    'BEGIN { printf "%-6s  20000 %9.0f us  2500 %9.0f us  per instance ratio %.2f\n", k, a, b, (a / 20000) / (b / 2500) }'
done
for key in activation carry; do
  small=$(best "${key}_2500" "${key}_us")
  large=$(best "${key}_20000" "${key}_us")
  awk -v k="$key" -v a="$large" -v b="$small" \
    'BEGIN { printf "%-10s  20000 %9.0f us  2500 %9.0f us  per instance ratio %.2f\n", k, a, b, (a / 20000) / (b / 2500) }'
done
