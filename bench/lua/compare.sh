#!/usr/bin/env bash
# compare.sh [kv_bench]: runs the machine's loops and the same loops in Lua
# 5.4, and prints each pair with the machine's time over Lua's.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/release/bench/kv_bench}
declare -A lua
while read -r name ms; do lua[$name]=$ms; done < <(lua5.4 "$here/loops.lua")
"$bench" --benchmark_filter='BM_VM' --benchmark_format=csv 2>/dev/null | tail -n +2 |
while IFS=, read -r name iterations real cpu unit rest; do
  key=${name#\"BM_VM}; key=${key%\"}
  awk -v k="$key" -v m="$cpu" -v l="${lua[$key]}" \
      'BEGIN { printf "%-16s machine %8.3f ms  lua %8.3f ms  ratio %.2f\n", k, m, l, m / l }'
done
