# Sourced by the tests that end a game with signals; they define `work`
# (holding the game files), `player` and fail().
# start_game GAME LINE [ENV...]: starts GAME with the environment given, sets
# player_pid, and waits for a console line starting with LINE. SIGHUP keeps
# its default action, whatever the test was started under.
start_game() {
  local game=$1 line=$2
  shift 2
  rm -f "$work/out.txt"  # the last run's lines must not count for this one
  env "$@" env --default-signal=HUP "$player" -game "$game" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
  player_pid=$!
  for _ in $(seq 1 300); do
    grep -q "^$line" "$work/out.txt" 2> /dev/null && break
    sleep 0.1
  done
  grep -q "^$line" "$work/out.txt" || fail "$(basename "$game"): no \"$line\" line"
}

# start_looping [ENV...]: starts looping.win and waits for its "changed"
# line (the loop has begun).
start_looping() { start_game "$work/looping.win" changed "$@"; }

# signal_looping NAME NUMBER TIMES [STATUS]: sends signal NAME TIMES times;
# the game must end within 20 seconds with STATUS (128 + NUMBER if none).
signal_looping() {
  local name=$1 number=$2 times=$3 expected=${4:-$((128 + $2))} status
  for _ in $(seq 1 "$times"); do kill -"$name" "$player_pid"; done
  for _ in $(seq 1 200); do
    kill -0 "$player_pid" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$player_pid" 2> /dev/null && fail "$name x$times: the player still runs 20 seconds later"
  wait "$player_pid"
  status=$?
  player_pid=""
  [ $status -eq "$expected" ] || fail "$name x$times: exit $status, expected $expected"
}
