#!/usr/bin/env bash
# damaged_games.sh MKGAME PLAYER DAMAGE_GAME GAMES_FOLDER [NAME.FORM...]
# Every game in GAMES_FOLDER, written as source and as compiled code, is
# damaged 200 times (KORVALITH_DAMAGED_COPIES), half the copies in each form,
# by damage_game; with NAME.FORM arguments (writers_folder_case.bytecode),
# only those games in those forms, each damaged half that many times. The
# headless player runs each copy for a few frames and must end with status 0,
# 1 or 255: a crash (a signal) fails the check, and so does a sanitizer's
# report in a build with them (its status made 66 here). Runs go
# side by side (KORVALITH_JOBS, else every core). KORVALITH_DAMAGED_FRAMES
# sets the frames (2), KORVALITH_DAMAGED_REAL_CLOCK=1 runs them at the
# room's speed, so that time passes between steps. A run that outlasts the
# time limit (KORVALITH_DAMAGED_SECONDS, 20) is listed but does not fail
# the check: damaged code may loop for ever without any fault in the player. A failing run's last console
# lines are printed with it, and a death by a fault its whole stack.
set -u
mkgame=$1 player=$2 damage=$3 folder=$4
shift 4
copies=${KORVALITH_DAMAGED_COPIES:-200}
jobs=${KORVALITH_JOBS:-$(nproc)}
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_damaged_XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp"

for description in "$folder"/*.json; do
  name=$(basename "${description%.json}")
  # A game written to outgrow a memory limit (NAME.memory) would take that
  # memory in every copy run without the limit.
  [ -f "${description%.json}.memory" ] && continue
  for form in source bytecode; do
    [ $# -eq 0 ] || [[ " $* " == *" $name.$form "* ]] || continue
    args=()
    [ "$form" = bytecode ] && args+=(--bytecode)
    game="$work/$name.$form"
    # A game whose code must not compile has no compiled form.
    "$mkgame" "$description" -o "$game.win" "${args[@]}" > /dev/null 2>&1 || continue
    mkdir -p "$game"
    seed=$(printf '%s' "$name.$form" | cksum | cut -d ' ' -f 1)
    echo "$seed" > "$game/seed"
    "$damage" "$game.win" "$game" $((copies / 2)) "$seed" || exit 1
  done
done

# Each run has a save folder of its own: runs side by side must not read
# what another writes as it ends (the highscore table, the achievements).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}exitcode=66" UBSAN_OPTIONS="exitcode=66:print_stacktrace=1"
export KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="${KORVALITH_DAMAGED_FRAMES:-2}" \
       TMPDIR="$work/tmp" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null
[ "${KORVALITH_DAMAGED_REAL_CLOCK:-0}" = 1 ] && unset KORVALITH_CLOCK
find "$work" -mindepth 2 -name '*.win' -print0 |
  xargs -0 -P "$jobs" -I {} sh -c 'data="${2%.win}.data"; mkdir -p "$data"
    XDG_DATA_HOME="$data" timeout -v -k 5 "$3" "$1" -game "$2" > "$2.log" 2>&1 < /dev/null; echo "$? $2"' \
    sh "$player" {} "${KORVALITH_DAMAGED_SECONDS:-20}" > "$work/ended"
# A run still there when the grace after the time limit ran out was killed
# by timeout: past the time limit as well.
while read -r status file; do
  [ "$status" = 137 ] && grep -q "^timeout: sending signal KILL" "$file.log" && status=124
  echo "$status $file"
done < "$work/ended" > "$work/statuses"

runs=$(wc -l < "$work/statuses")
hangs=$(awk '$1 == 124' "$work/statuses")
crashes=$(awk '$1 != 0 && $1 != 1 && $1 != 255 && $1 != 124' "$work/statuses")
echo "$runs damaged games run; statuses: $(cut -d ' ' -f 1 "$work/statuses" | sort -n | uniq -c | awk '{printf "%s x%s  ", $2, $1}')"
[ -n "$hangs" ] && echo "past the time limit (not a fault):" && echo "$hangs"
if [ -n "$crashes" ]; then
  echo "runs that did not end with 0, 1 or 255 (copy N of a game comes from damage_game GAME.FORM.win DIR COUNT SEED):"
  while read -r status file; do
    copy=$(basename "$file" .win) game=$(dirname "$file")
    echo "  status $status: $(basename "$game") copy $copy, seed $(cat "$game/seed"); its last lines:"
    # A death by a fault lists its stack: shown whole, with the lines before it.
    if grep -q '^korvalith: died by signal' "$file.log"; then
      grep -B 5 -A 80 '^korvalith: died by signal' "$file.log" | sed 's/^/    /'
    elif grep -qE '^==[0-9]+==ERROR: [A-Za-z]+Sanitizer|runtime error:' "$file.log"; then
      grep -m 1 -A 40 -E '^==[0-9]+==ERROR: [A-Za-z]+Sanitizer|runtime error:' "$file.log" | sed 's/^/    /'
    else
      tail -n 5 "$file.log" | sed 's/^/    /'
    fi
  done <<< "$crashes"
  exit 1
fi
[ "$runs" -gt 0 ] || { echo "no damaged games were run"; exit 1; }
exit 0
