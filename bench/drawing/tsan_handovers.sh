#!/usr/bin/env bash
# tsan_handovers.sh [tsan build dir] [frames] [runs] [parallel] [threads] [wait|nowait]
# Plays the game test scene_handovers (tests/games/scene_handovers.json:
# several scenes handed to the software driver a frame, two surfaces set
# and reset and the frame drawn onto the back buffer) with the
# thread-sanitizer player, headless, `runs` times, `parallel` at once,
# with LP_NUM_THREADS=threads and the device's waits for the driver's
# threads (or KORVALITH_NO_DRIVER_WAIT=1 with "nowait"). The tests'
# suppressions apply; a run goes on after a report. Prints the runs, the
# runs with a report and the reports by their first line; the logs of runs
# with reports are kept in KV_TSAN_LOGS when that names a folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
build=$(cd "${1:-$root/build/tsan}" && pwd)
frames=${2:-20000}
runs=${3:-8}
parallel=${4:-4}
threads=${5:-1}
wait=${6:-wait}

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_tsan_handovers_XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/mkgame" "$root/tests/games/scene_handovers.json" -o "$work/turns.win" > /dev/null

one_run() {  # one_run N: the Nth run, its console in run.N.txt
  local data="$work/data.$1"
  local -a extra=()
  [[ $wait == nowait ]] && extra=(KORVALITH_NO_DRIVER_WAIT=1)
  env "${extra[@]}" KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="$frames" \
    XDG_DATA_HOME="$data" LP_NUM_THREADS="$threads" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
    ALSOFT_DRIVERS=null MESA_SHADER_CACHE_DISABLE=true \
    TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$root/tests/tsan_suppressions.txt" \
    "$build/korvalith" -game "$work/turns.win" -noaudio > "$work/run.$1.txt" 2>&1 < /dev/null || true
  rm -rf "$data"
}

start=$(date +%s)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((n = 0; n < runs; ++n)); do
  one_run "$n" &
  while (($(jobs -rp | wc -l) >= parallel)); do wait -n || true; done
done
wait
seconds=$(($(date +%s) - start))

with_reports=0
for ((n = 0; n < runs; ++n)); do
  if grep -q "WARNING: ThreadSanitizer" "$work/run.$n.txt"; then
    with_reports=$((with_reports + 1))
    if [[ -n ${KV_TSAN_LOGS:-} ]]; then cp "$work/run.$n.txt" "$KV_TSAN_LOGS/run.$n.txt"; fi
  fi
done
reports=$(cat "$work"/run.*.txt | grep -c "WARNING: ThreadSanitizer" || true)
echo "scene_handovers: $runs runs of $frames frames, $parallel at once, LP_NUM_THREADS=$threads, $wait;" \
  "$seconds s; load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "runs with a report: $with_reports; reports: $reports"
cat "$work"/run.*.txt | grep "WARNING: ThreadSanitizer" | sed 's/ (pid=[0-9]*)//' | sort | uniq -c || true
