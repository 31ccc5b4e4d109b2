#!/usr/bin/env bash
# run_game.sh MKGAME PLAYER DESCRIPTION.json EXPECT FORM
# Writes the game with mkgame, runs the player headless on it and checks the
# exit status and the console against the expectation file:
#   line 1: the exit status;
#   then lines that must appear in this order (other lines may come between);
#   a line starting with "!" must not appear anywhere.
# Nothing from the sound library may appear on stderr ("AL lib" lines).
# FORM is "source" or "bytecode"; "oldexec" runs the source form with -oldexec.
# A folder NAME.files beside the description is copied into the data folder
# (XDG_DATA_HOME) before the run; save folders inside it go by game name.
# A folder NAME.program beside the description is copied into the program
# folder (beside the game file) before the run; nothing in the program folder
# may change or appear during the run.
# KV_GAME_PROGRAM_FILES, when set, lists "SOURCE=NAME" pairs separated by
# blanks: files built for the test (native libraries) copied into the
# program folder under NAME before the run.
# A file NAME.args beside the description holds more player arguments
# (such as -debug), separated by blanks.
# In the expectation file, @DATA@ stands for the run's data folder (the
# root of the save folder), as the player's full paths name it.
# A file NAME.counts beside the description holds lines "COUNT TEXT": the
# console must hold the line TEXT exactly COUNT times.
# A file NAME.answers beside the description holds the answers to the
# game's dialogs, one a line (KORVALITH_ANSWERS).
# A folder NAME.after beside the description is what the data folder must
# hold after the run: the same files and folders, none more, each file with
# the same bytes. A file in NAME.after holding only the line "<any>" stands
# for a file whose bytes are not stable (a screen save): it must be there,
# whatever it holds.
set -u
. "$(dirname "$0")/check_console.sh"
mkgame=$1 player=$2 description=$3 expect=$4 form=$5
frames=${KORVALITH_TEST_FRAMES:-60}
# A file NAME.frames beside the description holds the frame limit of a game
# that needs more than the usual.
[ -f "${description%.json}.frames" ] && frames=$(cat "${description%.json}.frames")

work=$(mktemp -d "${TMPDIR:-/tmp}/kv_game_XXXXXX")
trap 'rm -rf "$work"' EXIT
game="$work/$(basename "${description%.json}").win"

args=()
[ "$form" = bytecode ] && args+=(--bytecode)
if ! "$mkgame" "$description" -o "$game" "${args[@]}" > "$work/mkgame.out" 2>&1; then
  echo "mkgame failed:"; cat "$work/mkgame.out"; exit 1
fi

# Every file of the program folder with its digest, the data folder and the
# run's own output left out.
program_state() {
  (cd "$work" && find . -path ./data -prune -o -type f ! -name out.txt ! -name err.txt ! -name expect.txt -print0 | LC_ALL=C sort -z |
     xargs -0 md5sum)
}
program="${description%.json}.program"
[ -d "$program" ] && cp -R "$program/." "$work/"
for pair in ${KV_GAME_PROGRAM_FILES:-}; do cp "${pair%%=*}" "$work/${pair#*=}"; done
program_before=$(program_state)

run_args=(-game "$game")
[ "$form" = oldexec ] && run_args+=(-oldexec)
if [ -f "${description%.json}.args" ]; then
  read -r -a extra_args < "${description%.json}.args"
  run_args+=("${extra_args[@]}")
fi
# Every file and folder under $1, folders ending in "/", one a line, sorted.
tree_of() { (cd "$1" && find . -mindepth 1 \( -type d -printf '%p/\n' \) -o -printf '%p\n' | LC_ALL=C sort); }

# Compares the data folder after the run with the expected folder $1.
check_after() {
  local expected=$1 data="$work/data" differ=0 file
  if ! diff <(tree_of "$expected") <(tree_of "$data") > "$work/tree.diff"; then
    echo "the data folder differs from $(basename "$expected") (< expected, > found):"
    grep '^[<>]' "$work/tree.diff"
    differ=1
  fi
  while IFS= read -r file; do
    [ -f "$data/$file" ] || continue
    [ "$(wc -c < "$expected/$file")" -le 6 ] && grep -qx '<any>' "$expected/$file" && continue
    cmp -s "$expected/$file" "$data/$file" || { echo "different bytes: $file"; differ=1; }
  done < <(cd "$expected" && find . -type f | LC_ALL=C sort)
  return $differ
}

# A file NAME.memory beside the description holds the most virtual memory
# the player may have, in KiB (as ulimit -v takes it).
memory=""
[ -f "${description%.json}.memory" ] && memory=$(cat "${description%.json}.memory")

# A file NAME.runs beside the description holds how many times the game
# runs, each on a fresh data folder and each checked alike: an end that
# fails only now and then fails the test.
runs=1
[ -f "${description%.json}.runs" ] && runs=$(cat "${description%.json}.runs")
for ((run = 1; run <= runs; ++run)); do
  rm -rf "$work/data"
  mkdir -p "$work/data"
  [ -d "${description%.json}.files" ] && cp -R "${description%.json}.files/." "$work/data/"
  answers=()
  [ -f "${description%.json}.answers" ] && answers=(KORVALITH_ANSWERS="${description%.json}.answers")
  (
    [ -n "$memory" ] && ulimit -v "$memory"
    exec env -u KORVALITH_ANSWERS KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="$frames" \
      XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null "${answers[@]}" \
      timeout 60 "$player" "${run_args[@]}" > "$work/out.txt" 2> "$work/err.txt" < /dev/null
  )
  status=$?

  fail=0
  sed "s|@DATA@|$work/data|g" "$expect" > "$work/expect.txt"
  check_console "$status" "$work/out.txt" "$work/expect.txt" || fail=1
  if [ -f "${description%.json}.counts" ]; then
    while read -r count text; do
      found=$(grep -cxF -- "$text" "$work/out.txt")
      [ "$found" = "$count" ] || { echo "\"$text\" on $found lines, expected $count"; fail=1; }
    done < "${description%.json}.counts"
  fi
  # The sound library's own complaints (a device left open) never follow the
  # player's last words.
  if grep -q '^AL lib' "$work/err.txt"; then
    echo "the sound library wrote to stderr:"; grep '^AL lib' "$work/err.txt"; fail=1
  fi

  if [ -d "$program" ] && [ "$(program_state)" != "$program_before" ]; then
    echo "the program folder changed during the run"; fail=1
  fi

  after="${description%.json}.after"
  if [ -d "$after" ] && ! check_after "$after"; then fail=1; fi

  if [ $fail -ne 0 ]; then
    [ "$runs" -gt 1 ] && echo "run $run of $runs:"
    echo "---- player output"; cat "$work/out.txt"; echo "---- stderr"; cat "$work/err.txt"
    exit 1
  fi
done
exit 0
