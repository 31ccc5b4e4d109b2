#!/usr/bin/env bash
# compare_particles.sh [mkgame] [korvalith]: one particle workload side by
# side, the player headless (virtual clock, llvmpipe, 640 x 480) and LÖVE's
# ParticleSystem under Xvfb: one emitter streaming 100 particles a step of a
# 16 x 16 disk, life 100, speed 1-2, gravity 0.05, two colours, alpha 1 to
# 0, so 10,000 live. Prints milliseconds per frame over frames 200 to 500 and
# the player's time over LÖVE's (target at most 1.25, goal at most 1.0).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$here/../../build/release
mkgame=${1:-$build/mkgame}
player=${2:-$build/korvalith}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_particles_XXXXXX")
trap 'rm -rf "$work"' EXIT

cat > "$work/stream.json" <<'JSON'
{
  "name": "particle stream",
  "window": {"width": 640, "height": 480},
  "objects": {"stream": {"events": {"create":
    "ps = part_system_create(); pt = part_type_create(); part_type_shape(pt, pt_shape_disk); part_type_size(pt, 0.25, 0.25, 0, 0); part_type_life(pt, 100, 100); part_type_speed(pt, 1, 2, 0, 0); part_type_direction(pt, 0, 360, 0, 0); part_type_gravity(pt, 0.05, 270); part_type_color2(pt, $2080FF, $FF4010); part_type_alpha2(pt, 1, 0); em = part_emitter_create(ps); part_emitter_region(ps, em, 310, 330, 210, 230, ps_shape_rectangle, ps_distr_linear); part_emitter_stream(ps, em, pt, 100);"}}},
  "rooms": [{"width": 640, "height": 480, "speed": 60, "instances": [{"object": "stream", "x": 0, "y": 0}]}]
}
JSON
"$mkgame" "$work/stream.json" -o "$work/stream.win" > /dev/null

# Seconds for a run of the given number of frames.
run_player() {
  local start end
  start=$(date +%s.%N)
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="$1" LIBGL_ALWAYS_SOFTWARE=1 \
      GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null XDG_DATA_HOME="$work/data" \
      "$player" -game "$work/stream.win" > /dev/null 2>&1 < /dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
short=$(run_player 200)
long=$(run_player 500)
player_ms=$(echo "($long - $short) * 1000 / 300" | bc -l)
printf "player %.3f ms/frame\n" "$player_ms"

if ! command -v love > /dev/null; then
  echo "love is not installed: no LÖVE side to compare with"
  exit 0
fi
love_line=$(LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe xvfb-run -a -s "-screen 0 640x480x24" \
            love "$here/particles" 2>/dev/null | grep '^love ')
echo "$love_line"
love_ms=$(echo "$love_line" | awk '{print $2}')
awk -v p="$player_ms" -v l="$love_ms" 'BEGIN { printf "ratio %.2f (target 1.25, goal 1.0)\n", p / l }'
