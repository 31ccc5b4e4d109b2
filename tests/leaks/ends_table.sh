#!/usr/bin/env bash
# ends_table.sh MKGAME PLAYER [END...]
# Every way a run ends, under the sanitizers, with a game that holds at that
# moment all that the end must write or let go (ends_holding.json): files
# written in a sub-folder, names looked up that are missing or differ in
# letter case, once the folders have settled, an INI file open and changed,
# a binary and a text file open, a highscore table changed, achievement
# posts waiting (found in the save folder at the start: no service takes
# them), its temporary folder used. ends_failed_start.json holds the same
# from its constants, then fails to compile.
# Each row of the table below runs in both code forms, and must end with
# its status, without a sanitizer report, with the end-of-run writes in the
# save folder (the INI file, the highscore table, the two open files'
# content, the waiting posts) or, for the ends that skip them (a second
# signal, the 3-second hard end), with none of them: no INI file, the
# earlier table, the open files as they showed from their opening, empty.
# A save folder removed before a quit signal is made again by the
# end-of-run writes; the files left open in it are whole or not there. A
# second signal in the midst of the end leaves each file whole or as it was.
# With END names, only those rows run; "closed_window" needs a display
# (tests/shell/xvfb_run.sh) and runs only when named.
set -u
mkgame=$1 player=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_ends_XXXXXX")
pid="" window_manager=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2> /dev/null
  [ -n "$window_manager" ] && kill "$window_manager" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# end            game          status  end-of-run writes
table() {
  cat << 'ROWS'
game_end         holding       0       present
last_room        holding       0       present
machine_error    holding       255     present
draw_error       holding       255     present
end_error        holding       255     present
abort            dialog        0       present
fatal_builtin    holding       0       present
out_of_memory    holding       255     present
failed_start     failed_start  1       present
quit_signal      holding       0       present
timeout          holding       0       present
folder_removed   holding       0       remade
second_signal    holding       130     absent
hard_end         holding       143     absent
signal_in_writes holding       0|143   whole
closed_window    holding       0       present
ROWS
}

# A sanitizer's report ends the run with a status of its own, and the
# report itself is looked for too.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}exitcode=66" UBSAN_OPTIONS="exitcode=66:print_stacktrace=1"
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null
# The refusal the out-of-memory row asks the heap for is no fault.
reported() {
  grep -E "ERROR: [A-Za-z]+Sanitizer|WARNING: [A-Za-z]+Sanitizer|runtime error:" "$1" |
    grep -qv "WARNING: AddressSanitizer failed to allocate"
}

# The games in both forms; "dialog" is the holding game with the error
# dialog on, answered from a file. A game that must not compile has no
# compiled form: the start fails in the source form only.
sed 's/"error_dialog": false/"error_dialog": true/' "$here/ends_holding.json" > "$work/ends_dialog.json"
for form in source bytecode; do
  args=()
  [ "$form" = bytecode ] && args+=(--bytecode)
  for game in "$here/ends_holding.json" "$work/ends_dialog.json" "$here/ends_failed_start.json"; do
    name=$(basename "${game%.json}")
    if ! "$mkgame" "$game" -o "$work/${name#ends_}.$form.win" "${args[@]}" > "$work/mkgame.txt" 2>&1 &&
      [ "$name" != ends_failed_start ]; then
      echo "FAIL: mkgame $name ($form): $(cat "$work/mkgame.txt")"
      exit 1
    fi
  done
done
echo "Abort" > "$work/answers.txt"

# The save folder every run starts from: one post waiting to be sent
# (kind 1, "held", 50) and a table with one entry, made by a first run.
seed="$work/seed/Ends Holding"
mkdir -p "$seed"
env -u DISPLAY KORVALITH_HEADLESS=1 XDG_DATA_HOME="$work/first" TMPDIR="$work" KV_END=game_end KORVALITH_MAX_FRAMES=100 \
  "$player" -game "$work/holding.source.win" > "$work/first.txt" 2>&1 < /dev/null
status=$?
if [ $status -ne 0 ] || reported "$work/first.txt"; then
  echo "FAIL: the first run, which makes the highscore table, ended with $status:"
  cat "$work/first.txt"
  exit 1
fi
cp "$work/first/Ends Holding/hiscore.dat" "$seed/"
printf '\001\000\000\000held\000\062\000\000\000' > "$seed/achievementcache.dat"

# within TENTHS COMMAND...: up to that many tenths of a second for the
# command to succeed.
within() {
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
said() { grep -qx "$1" "$run/out.txt"; }
ended() { ! kill -0 "$pid" 2> /dev/null; }
# Starts the player in the background ($pid) and waits up to two minutes
# for the game to hold everything (its "ready" line).
start() {
  "$@" > "$run/out.txt" 2> "$run/err.txt" < /dev/null &
  pid=$!
  within 1200 said ready
}
# Waits up to a minute for the player to end and takes its status.
finish() {
  if ! within 600 ended; then
    kill -KILL "$pid"
    wait "$pid" 2> /dev/null
    pid=""
    return 1
  fi
  wait "$pid"
  status=$?
  pid=""
}

# run_end END GAME FORM: brings about one end; false when it cannot be.
run_end() {
  local end=$1 game_file="$work/$2.$3.win" window
  # The frames run at the room's speed, so that the folders settle between
  # the writes and the look-ups.
  local player_env=(env -u KORVALITH_ANSWERS KORVALITH_HEADLESS=1 XDG_DATA_HOME="$run/data" TMPDIR="$run/tmp"
                    KV_END="$end" KORVALITH_MAX_FRAMES=100000 env --default-signal=HUP,INT)
  case $end in
    game_end | last_room | machine_error | draw_error | end_error | abort | fatal_builtin | failed_start | \
      out_of_memory)
      # The sanitizer's heap refuses the game's 1.5 GB string, as a heap
      # short of memory would.
      [ "$end" = out_of_memory ] && player_env+=(ASAN_OPTIONS="$ASAN_OPTIONS:allocator_may_return_null=1:max_allocation_size_mb=1024")
      timeout -k 10 300 "${player_env[@]}" KORVALITH_ANSWERS="$work/answers.txt" "$player" -game "$game_file" \
        > "$run/out.txt" 2> "$run/err.txt" < /dev/null
      status=$?
      ;;
    quit_signal)
      start "${player_env[@]}" "$player" -game "$game_file" || return 1
      kill -TERM "$pid"
      finish
      ;;
    folder_removed)
      start "${player_env[@]}" "$player" -game "$game_file" || return 1
      rm -rf "$run/data/Ends Holding"
      kill -TERM "$pid"
      finish
      ;;
    timeout)
      # `timeout` passes the signal it gets on to the player and then to
      # its whole group: one request that reaches the player twice.
      start timeout 600 "${player_env[@]}" "$player" -game "$game_file" || return 1
      kill -TERM "$pid"
      finish
      ;;
    second_signal)
      start "${player_env[@]}" KV_END_LOOPS=1 "$player" -game "$game_file" || return 1
      kill -INT "$pid"
      within 300 said "game end" || return 1
      # A second press, not a repeat of the first (one sender's signals
      # within 100 ms are one request).
      sleep 0.3
      kill -INT "$pid"
      finish
      ;;
    signal_in_writes)
      # The second signal comes from another sender as soon as the game
      # ends: it lands in the Game End event, the end-of-run writes or
      # after them.
      start "${player_env[@]}" "$player" -game "$game_file" || return 1
      kill -TERM "$pid"
      within 300 said "game end" || return 1
      env kill -TERM "$pid" 2> /dev/null
      finish
      ;;
    hard_end)
      start "${player_env[@]}" KV_END_LOOPS=1 "$player" -game "$game_file" || return 1
      kill -TERM "$pid"
      finish
      ;;
    closed_window)
      [ -n "${DISPLAY:-}" ] || return 1
      if [ -z "$window_manager" ]; then
        openbox --sm-disable > "$work/openbox.txt" 2>&1 &
        window_manager=$!
      fi
      start "${player_env[@]}" -u KORVALITH_HEADLESS "$player" -game "$game_file" || return 1
      # The window manager asks the window to close, as its close box does.
      within 300 sh -c "wmctrl -l -p | awk '\$3 == $pid' | grep -q ." || return 1
      window=$(wmctrl -l -p | awk -v pid="$pid" '$3 == pid { print $1; exit }')
      wmctrl -i -c "$window" || return 1
      finish
      ;;
  esac
}

# check_row STATUS WRITES: the reasons the run fails, one a line.
check_row() {
  local expected=$1 writes=$2 folder="$run/data/Ends Holding"
  [[ "|$expected|" == *"|$status|"* ]] || echo "exit $status, expected $expected"
  reported "$run/err.txt" && echo "a sanitizer report"
  # The waiting posts are kept whole in every row; what the game wrote and
  # closed before the end too, unless its folder was taken away.
  cmp -s "$seed/achievementcache.dat" "$folder/achievementcache.dat" || echo "the waiting posts were not kept"
  if [ "$writes" = remade ]; then
    [ -e "$folder/Saves/a.txt" ] && echo "Saves/a.txt came back with a folder removed"
  else
    [ "$(cat "$folder/Saves/a.txt" 2> /dev/null)" = "in a sub-folder" ] || echo "Saves/a.txt is not whole"
  fi
  # A second signal in the midst of the end: each file whole, or as it was.
  if [ "$writes" = whole ]; then
    [ -e "$folder/Saves/o.ini" ] && ! grep -q "^value=7" "$folder/Saves/o.ini" && echo "the INI file is cut"
    cmp -s "$seed/hiscore.dat" "$folder/hiscore.dat" ||
      [ "$(grep -ao held "$folder/hiscore.dat" 2> /dev/null | wc -l)" = 2 ] || echo "the highscore table is cut"
    [ -s "$folder/Saves/b.bin" ] && [ "$(cat "$folder/Saves/b.bin")" != KV ] && echo "the open binary file is cut"
    [ -s "$folder/t.txt" ] && [ "$(cat "$folder/t.txt")" != "left open" ] && echo "the open text file is cut"
    return
  fi
  if [ "$writes" = absent ]; then
    [ -e "$folder/Saves/o.ini" ] && echo "the open INI file was written"
    cmp -s "$seed/hiscore.dat" "$folder/hiscore.dat" || echo "the highscore table is not the earlier one"
    [ -s "$folder/Saves/b.bin" ] && echo "the open binary file got its content"
    [ -s "$folder/t.txt" ] && echo "the open text file got its content"
    return
  fi
  grep -q "^value=7" "$folder/Saves/o.ini" 2> /dev/null || echo "the open INI file was not written"
  cmp -s "$seed/hiscore.dat" "$folder/hiscore.dat" && echo "the changed highscore table was not written"
  [ "$(grep -ao held "$folder/hiscore.dat" 2> /dev/null | wc -l)" = 2 ] || echo "the highscore table is not whole"
  # Files left open in a folder that was removed meanwhile are whole, or
  # not there (a line says they could not be written).
  if [ "$writes" = remade ] && [ ! -e "$folder/Saves/b.bin" ] && [ ! -e "$folder/t.txt" ]; then
    [ "$(grep -c "^Could not write .*/\(b.bin\|t.txt\) (" "$run/out.txt")" = 2 ] ||
      echo "no line says the open files could not be written"
    return
  fi
  [ "$(cat "$folder/Saves/b.bin" 2> /dev/null)" = KV ] || echo "the open binary file is not whole"
  [ "$(cat "$folder/t.txt" 2> /dev/null)" = "left open" ] || echo "the open text file is not whole"
}

failed=0
rows=0
while read -r end game expected writes; do
  if [ $# -gt 0 ]; then
    [[ " $* " == *" $end "* ]] || continue
  elif [ "$end" = closed_window ]; then
    continue
  fi
  for form in source bytecode; do
    [ -f "$work/$game.$form.win" ] || continue
    run="$work/$end.$form"
    mkdir -p "$run/data" "$run/tmp"
    cp -R "$work/seed/." "$run/data/"
    rows=$((rows + 1))
    if run_end "$end" "$game" "$form"; then
      reasons=$(
        [ "$game" = failed_start ] || said "holding 00110" || echo "the game did not hold what it should"
        check_row "$expected" "$writes"
      )
    else
      reasons="the end could not be brought about"
    fi
    if [ -z "$reasons" ]; then
      echo "ok: $end.$form (exit $status, end-of-run writes $writes)"
      continue
    fi
    failed=1
    echo "FAIL: $end.$form:"
    echo "$reasons" | sed 's/^/  /'
    echo "---- player output"; tail -n 15 "$run/out.txt"
    echo "---- player errors"; head -n 60 "$run/err.txt"
  done
done < <(table)

[ $rows -gt 0 ] || { echo "FAIL: no row ran"; exit 1; }
[ $failed -eq 0 ] && echo "all $rows ends passed"
exit $failed
