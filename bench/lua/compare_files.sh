#!/usr/bin/env bash
# compare_files.sh [kv_bench]: the text-file built-ins writing and reading
# 100,000 lines against Lua 5.4's io doing the same, and their ratio.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/release/bench/kv_bench}
read -r _ lua < <(lua5.4 "$here/files.lua")
cpu=$("$bench" --benchmark_filter=BM_FileTextLines --benchmark_format=csv 2>/dev/null | tail -n 1 | cut -d, -f4)
awk -v m="$cpu" -v l="$lua" 'BEGIN { printf "FileTextLines  built-ins %8.3f ms  lua %8.3f ms  ratio %.2f\n", m, l, m / l }'
