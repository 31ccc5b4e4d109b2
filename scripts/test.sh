#!/usr/bin/env bash
# test.sh [STAGE...]: installs what is missing, builds, and runs every test:
# the normal build (stage "release", which builds the benchmarks too), the
# sanitizer build ("sanitize") and a run of every fuzz target, all at once,
# for KORVALITH_FUZZ_SECONDS each (30 by default; "fuzz", failing when any
# target finds a fault). Without stages, all three run. The stage "tsan",
# run only when named, builds the player and the tests under the thread
# sanitizer and runs the tests labelled "threads" (about half an hour).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${KORVALITH_JOBS:-$(nproc)}
fuzz_seconds=${KORVALITH_FUZZ_SECONDS:-30}

"$root/scripts/setup.sh"

export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null

stages=("$@")
wanted() { { [ ${#stages[@]} -eq 0 ] && [ "$1" != tsan ]; } || [[ " ${stages[*]} " == *" $1 "* ]]; }

if wanted release; then
  echo "== normal build"
  "$root/scripts/build.sh" release
  (cd "$root/build/release" && ctest --output-on-failure -j "$jobs")
fi

if wanted sanitize; then
  echo "== sanitizer build"
  "$root/scripts/build.sh" sanitize
  (cd "$root/build/sanitize" && ctest --output-on-failure -j "$jobs")
fi

if wanted tsan; then
  echo "== thread-sanitizer build"
  "$root/scripts/build.sh" tsan
  (cd "$root/build/tsan" && ctest --output-on-failure -j "$jobs" -L threads)
fi

if wanted fuzz; then
  echo "== fuzz targets"
  "$root/scripts/fuzz.sh" --check "$fuzz_seconds"
fi
echo "== all tests passed"
