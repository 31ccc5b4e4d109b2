# Sourced by the HTTP game scripts: start_server SERVER starts the loopback
# server in a scratch folder ($work, removed at exit with the server
# stopped) and sets $port to its port.
start_server() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/kv_http_XXXXXX")
  local fifo="$work/in"
  mkfifo "$fifo"
  "$1" < "$fifo" > "$work/port" &
  server_pid=$!
  exec 3> "$fifo"
  trap 'exec 3>&-; wait $server_pid; rm -rf "$work"' EXIT
  for _ in $(seq 100); do
    [ -s "$work/port" ] && break
    sleep 0.05
  done
  port=$(head -n 1 "$work/port")
  [ -n "$port" ] || { echo "the server did not start"; exit 1; }
}
