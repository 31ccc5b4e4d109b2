#!/usr/bin/env bash
# test.sh: installs what is missing, builds, and runs every test: the normal
# build, the sanitizer build, the benchmarks' build and a short fuzzing run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${KORVALITH_JOBS:-$(nproc)}
fuzz_seconds=${KORVALITH_FUZZ_SECONDS:-5}

"$root/scripts/setup.sh"

export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null

echo "== normal build"
"$root/scripts/build.sh" release
(cd "$root/build/release" && ctest --output-on-failure -j "$jobs")

echo "== sanitizer build"
"$root/scripts/build.sh" sanitize
(cd "$root/build/sanitize" && ctest --output-on-failure -j "$jobs")

echo "== fuzz targets"
"$root/scripts/build.sh" fuzz
corpus="$root/build/fuzz/corpus"
for target in "$root"/build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$corpus/$name"
  seeds=()
  [ -d "$root/fuzz/seeds/$name" ] && seeds=("$root/fuzz/seeds/$name")
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus/$name" "${seeds[@]}" 2>&1 | tail -n 2
done
echo "== all tests passed"
