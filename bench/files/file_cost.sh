#!/usr/bin/env bash
# file_cost.sh BASE BUILD [BUILD...]: what the file built-ins cost through
# the player, for each build's player (its own mkgame makes the games), with
# the save folders under BASE (a memory file system such as /dev/shm, or a
# disk). Each line: the operation, the build's tree, the time per operation
# (the fastest batch of 100 over RUNS runs of 2,000), and per operation the system calls, the folder
# reads (getdents64) and the syncs (fsync, fdatasync), counted with
# strace -f -c as the difference between 1,001 operations and one.
#   miss        file_exists of a missing name beside 20,000 files
#   miss0       the same beside an empty save folder
#   nofolder    file_exists("nofolder/x<i>.txt") beside 20,000 files
#   casefolder  reading "Saves/f1.txt" with only "saves/" there, beside 20,000
#   deep        file_exists("a/b/c/x.txt"), a/b/c there, x.txt not
#   text, binary, ini   rewriting a small file of each kind
# OPS (the operations, by name), RUNS (5) and COUNT (0 leaves out the
# counts) may be given in the environment.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
base=$1
shift
work=$(mktemp -d "$base/kv_file_cost_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 KORVALITH_MAX_FRAMES=100 LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
export ALSOFT_DRIVERS=null LP_NUM_THREADS=2

# fill OPERATION DATA: lays out the save folder the operation expects.
fill() {
  local save="$2/cost_${1%0}_data" many=20000
  rm -rf "$2" && mkdir -p "$save"
  case $1 in
    miss0 | text | binary | ini) many=0 ;;
    deep) many=0 && mkdir -p "$save/a/b/c" ;;
    casefolder) mkdir -p "$save/saves" && echo x > "$save/saves/f1.txt" ;;
  esac
  (cd "$save" && for ((i = 0; i < many; i += 1000)); do
    eval "touch f{$i..$((i + 999))}.txt"
  done)
}

# run BUILD GAME DATA: the player's output of one run.
run() { XDG_DATA_HOME=$3 "$1/korvalith" -game "$2" < /dev/null 2> /dev/null; }

# Each build makes its own games; the runs of the builds alternate, so that
# a machine whose speed drifts weighs on both alike.
declare -A games=()
for build in "$@"; do
  games[$build]=$work/games_${#games[@]}
  mkdir -p "${games[$build]}"
  for count in 1 1001 2000; do python3 "$here/file_cost_games.py" "${games[$build]}" $count; done
  for desc in "${games[$build]}"/*.json; do "$build/mkgame" "$desc" -o "${desc%.json}.win" > /dev/null; done
done

for op in ${OPS:-miss miss0 nofolder casefolder deep text binary ini}; do
  game=${op%0}
  declare -A best=()
  for ((r = 0; r < ${RUNS:-5}; ++r)); do
    for build in "$@"; do
      fill "$op" "$work/data"
      v=$(run "$build" "${games[$build]}/${game}_2000.win" "$work/data" | awk '/_us / { print $2 }' | tail -n 1)
      if [[ -z ${best[$build]:-} ]] || awk -v a="$v" -v b="${best[$build]}" 'BEGIN { exit !(a < b) }'; then
        best[$build]=$v
      fi
    done
  done
  for build in "$@"; do
    name=$(basename "$(dirname "$(dirname "$build")")")
    declare -A calls=([1]="0 0 0" [1001]="0 0 0")
    for count in 1 1001; do
      [[ ${COUNT:-1} == 0 ]] && break
      fill "$op" "$work/data"
      XDG_DATA_HOME=$work/data strace -f -c -o "$work/strace_$count" "$build/korvalith" \
        -game "${games[$build]}/${game}_$count.win" < /dev/null > /dev/null 2>&1 || true
      calls[$count]=$(awk '$NF == "total" { t = $4 } $NF == "getdents64" { g = $4 }
        $NF == "fsync" || $NF == "fdatasync" { s += $4 } END { print t + 0, g + 0, s + 0 }' "$work/strace_$count")
    done
    read -r t1 g1 s1 <<< "${calls[1]}"
    read -r t2 g2 s2 <<< "${calls[1001]}"
    awk -v op="$op" -v b="$name" -v us="${best[$build]}" -v t="$((t2 - t1))" -v g="$((g2 - g1))" -v s="$((s2 - s1))" \
      'BEGIN { printf "%-10s %-14s %8.2f us  %6.1f calls  %6.2f getdents64  %5.2f fsync\n", op, b, us, t / 1000, g / 1000, s / 1000 }'
  done
done
