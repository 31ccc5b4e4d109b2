#!/usr/bin/env bash
# compare.sh [kv_bench] [runs]: runs the machine's loops, the tree
# interpreter's and the same loops in Lua 5.4, and prints each with its time
# over Lua's, then the geometric mean of each column of ratios. With several
# runs each side keeps its best time, which steadies the figures on a busy
# machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/release/bench/kv_bench}
runs=${2:-1}
declare -A lua machine tree
order=()
keep_best() {  # keep_best ARRAY KEY VALUE
  local -n best=$1
  if [[ -z ${best[$2]:-} ]] || awk -v a="$3" -v b="${best[$2]}" 'BEGIN { exit !(a < b) }'; then best[$2]=$3; fi
}
for ((run = 0; run < runs; ++run)); do
  while read -r name ms; do keep_best lua "$name" "$ms"; done < <(lua5.4 "$here/loops.lua")
  while IFS=, read -r name iterations real cpu rest; do
    name=${name#\"BM_}; name=${name%\"}
    if [[ $name == VM* ]]; then
      key=${name#VM}
      [[ -z ${machine[$key]:-} ]] && order+=("$key")
      keep_best machine "$key" "$cpu"
    else
      keep_best tree "${name#Tree}" "$cpu"
    fi
  done < <("$bench" --benchmark_filter='BM_(VM|Tree)' --benchmark_format=csv 2>/dev/null | tail -n +2)
done
for key in "${order[@]}"; do
  [[ -n ${lua[$key]:-} ]] || continue  # machine-only benchmarks have no Lua twin
  echo "$key ${machine[$key]} ${tree[$key]:-0} ${lua[$key]}"
done | awk '{
  m = $2 / $4; t = $3 / $4; gm += log(m); gt += log(t); n++
  printf "%-18s machine %8.3f ms  tree %9.3f ms  lua %8.3f ms  ratio %.2f  tree ratio %.2f\n", $1, $2, $3, $4, m, t
} END { printf "geometric mean     ratio %.2f  tree ratio %.2f\n", exp(gm / n), exp(gt / n) }'
