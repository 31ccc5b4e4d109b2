# Sourced by the tests that end the looping game with signals; they define
# `work` (holding looping.win), `player` and fail().
# start_looping [ENV...]: starts the game with the environment given, sets
# player_pid, and waits for its "changed" line (the loop has begun).
start_looping() {
  rm -f "$work/out.txt"  # the last run's lines must not count for this one
  env "$@" "$player" -game "$work/looping.win" > "$work/out.txt" 2> "$work/err.txt" < /dev/null &
  player_pid=$!
  for _ in $(seq 1 300); do
    grep -q "^changed" "$work/out.txt" 2> /dev/null && break
    sleep 0.1
  done
  grep -q "^changed" "$work/out.txt" || fail "the game never started its loop"
}

# signal_looping NAME NUMBER TIMES: sends signal NAME TIMES times; the game
# must end within 20 seconds with exit 128 + NUMBER.
signal_looping() {
  local name=$1 number=$2 times=$3 status
  for _ in $(seq 1 "$times"); do kill -"$name" "$player_pid"; done
  for _ in $(seq 1 200); do
    kill -0 "$player_pid" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$player_pid" 2> /dev/null && fail "$name x$times: the player still runs 20 seconds later"
  wait "$player_pid"
  status=$?
  player_pid=""
  [ $status -eq $((128 + number)) ] || fail "$name x$times: exit $status, expected $((128 + number))"
}
