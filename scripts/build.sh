#!/usr/bin/env bash
# build.sh <config>: configures (once) and builds one build folder.
#   release  the player, tools, tests and benchmarks   -> build/release
#   sanitize the tests under ASan and UBSan            -> build/sanitize
#   sanitize-player the player and mkgame under them   -> build/sanitize-player
#   tsan     the player, tools and tests under TSan     -> build/tsan
#   fuzz     the libFuzzer targets, built with clang   -> build/fuzz
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-release}
jobs=${KORVALITH_JOBS:-$(nproc)}
dir="$root/build/$config"

case "$config" in
  release)  args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) args=(-DCMAKE_BUILD_TYPE=Debug -DKORVALITH_SANITIZE=ON -DKORVALITH_ONLY_TESTS=ON -DKORVALITH_BENCH=OFF) ;;
  sanitize-player)
            args=(-DCMAKE_BUILD_TYPE=Debug -DKORVALITH_SANITIZE=ON -DKORVALITH_TESTS=OFF -DKORVALITH_BENCH=OFF) ;;
  tsan)     args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALITH_TSAN=ON -DKORVALITH_BENCH=OFF) ;;
  fuzz)     args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALITH_FUZZ=ON -DKORVALITH_TESTS=OFF -DKORVALITH_BENCH=OFF
                  -DKORVALITH_ONLY_TESTS=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "build.sh: unknown configuration '$config'" >&2; exit 2 ;;
esac

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
