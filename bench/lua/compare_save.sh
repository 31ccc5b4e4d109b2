#!/usr/bin/env bash
# compare_save.sh [kv_bench]: the saved-game save and load beside Lua 5.4
# packing and unpacking the same values, with the player's time over Lua's.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/release/bench/kv_bench}
lua_ms=$(lua5.4 "$here/saved_game.lua" | awk '{print $2}')
ours_ms=$("$bench" --benchmark_filter=BM_SavedGameSaveAndLoad --benchmark_format=csv 2>/dev/null |
          tail -n 1 | awk -F, '{print $4}')
awk -v m="$ours_ms" -v l="$lua_ms" \
    'BEGIN { printf "SavedGameSaveAndLoad  player %8.3f ms  lua %8.3f ms  ratio %.2f\n", m, l, m / l }'
