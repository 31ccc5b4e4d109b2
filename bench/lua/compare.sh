#!/usr/bin/env bash
# compare.sh [kv_bench] [runs]: runs the machine's loops and the same loops in
# Lua 5.4, and prints each pair with the machine's time over Lua's. With
# several runs each side keeps its best time, which steadies the figures on
# a busy machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/release/bench/kv_bench}
runs=${2:-1}
declare -A lua machine
order=()
for ((run = 0; run < runs; ++run)); do
  while read -r name ms; do
    if [[ -z ${lua[$name]:-} ]] || awk -v a="$ms" -v b="${lua[$name]}" 'BEGIN { exit !(a < b) }'; then lua[$name]=$ms; fi
  done < <(lua5.4 "$here/loops.lua")
  while IFS=, read -r name iterations real cpu rest; do
    key=${name#\"BM_VM}; key=${key%\"}
    [[ -z ${machine[$key]:-} ]] && order+=("$key")
    if [[ -z ${machine[$key]:-} ]] || awk -v a="$cpu" -v b="${machine[$key]}" 'BEGIN { exit !(a < b) }'; then
      machine[$key]=$cpu
    fi
  done < <("$bench" --benchmark_filter='BM_VM' --benchmark_format=csv 2>/dev/null | tail -n +2)
done
for key in "${order[@]}"; do
  awk -v k="$key" -v m="${machine[$key]}" -v l="${lua[$key]}" \
      'BEGIN { printf "%-16s machine %8.3f ms  lua %8.3f ms  ratio %.2f\n", k, m, l, m / l }'
done
