#!/usr/bin/env bash
# fuzz.sh [--check] [SECONDS]: builds the fuzz targets and runs all of them
# at once for SECONDS each (default 600), each starting from its checked-in
# corpus (fuzz/corpus/<target>/) and past crash inputs
# (fuzz/regressions/<target>/). A target that finds a fault (a sanitizer
# report, a crash, an input running past a minute) stops and leaves the
# input in build/fuzz/findings/<target>/, and the script fails. Without
# --check, new coverage is merged into fuzz/corpus/ (libFuzzer's -merge=1);
# --check leaves the corpus alone. At the end it prints each target's runs,
# runs per second and slowest input from libFuzzer's final stats.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
merge=1
if [ "${1:-}" = "--check" ]; then
  merge=0
  shift
fi
seconds=${1:-600}

"$root/scripts/build.sh" fuzz >/dev/null
run="$root/build/fuzz/run"
findings="$root/build/fuzz/findings"
rm -rf "$run"
mkdir -p "$run" "$findings"

names=()
pids=()
for target in "$root"/build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$run/$name/new" "$findings/$name"
  inputs=("$run/$name/new")
  for kind in corpus regressions; do
    [ -d "$root/fuzz/$kind/$name" ] && inputs+=("$root/fuzz/$kind/$name")
  done
  # New inputs go to the first folder only, so the checked-in ones stay as they are.
  "$target" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 -artifact_prefix="$findings/$name/" \
    "${inputs[@]}" >"$run/$name/log" 2>&1 &
  names+=("$name")
  pids+=($!)
done

# One of libFuzzer's final stats of a target's run ("?" when it stopped
# before printing them).
final_stat() {
  local value
  value=$(grep -m1 "^stat::$2:" "$run/$1/log" | awk '{print $2}') || true
  echo "${value:-?}"
}

failed=()
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    echo "-- $name: $(final_stat "$name" number_of_executed_units) runs, no finding"
  else
    failed+=("$name")
    echo "-- $name: FAILED"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$run/$name/log" | head -n 6 | sed 's/^/   /'
  fi
done

# How much each target ran, all running at once: a target far below the
# others spends its time on a few slow inputs.
echo "-- runs per target:"
printf '   %-24s %10s %8s %12s\n' target runs runs/s slowest/s
for name in "${names[@]}"; do
  printf '   %-24s %10s %8s %12s\n' "$name" "$(final_stat "$name" number_of_executed_units)" \
    "$(final_stat "$name" average_exec_per_sec)" "$(final_stat "$name" slowest_unit_time_sec)"
done

# The corpus is made again from itself and the new inputs: the fewest files
# that still reach every branch reached before (counting branches, not how
# often each runs, keeps it to a few hundred files).
if [ "$merge" -eq 1 ]; then
  for name in "${names[@]}"; do
    [[ " ${failed[*]} " == *" $name "* ]] && continue
    corpus="$root/fuzz/corpus/$name" merged="$run/$name/merged"
    mkdir -p "$corpus" "$merged"
    if ! "$root/build/fuzz/fuzz/$name" -merge=1 -use_counters=0 "$merged" "$corpus" "$run/$name/new" \
      >"$run/$name/merge.log" 2>&1; then
      echo "-- $name: merge failed, corpus left as it was (see $run/$name/merge.log)"
      continue
    fi
    before=$(find "$corpus" -type f | wc -l)
    rm -rf "$corpus"
    mv "$merged" "$corpus"
    echo "-- $name: corpus $before -> $(find "$corpus" -type f | wc -l) files"
  done
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: ${#failed[@]} target(s) found faults: ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
echo "fuzz: every target ran ${seconds}s without a finding"
