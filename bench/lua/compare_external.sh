#!/usr/bin/env bash
# compare_external.sh [build folder]: a million external_call()s of a
# two-real library function from a bytecode loop, the same loop calling a
# two-argument built-in, and LuaJIT (-joff) calling the library function
# through its FFI; prints each time and the external loop's ratios to the
# other two.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/release}
bench=$build/bench/kv_bench
fixture=$build/tests/ext_fixture.so
declare -A ms
while IFS=, read -r name iterations real cpu rest; do
  name=${name#\"BM_VM}; name=${name%\"}
  ms[$name]=$cpu
done < <("$bench" --benchmark_filter='BM_VMMillion' --benchmark_format=csv 2>/dev/null | tail -n +2)
read -r _ luajit < <(luajit -joff "$here/external_call.lua" "$fixture")
awk -v e="${ms[MillionExternalCalls]}" -v b="${ms[MillionBuiltinCalls]}" -v l="$luajit" 'BEGIN {
  printf "external_call %8.3f ms  built-in %8.3f ms  luajit -joff %8.3f ms\n", e, b, l
  printf "external over built-in %.2f (goal 1.5)  external over luajit %.2f (goal 2)\n", e / b, e / l
}'
