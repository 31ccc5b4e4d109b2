# Sourced by the game runners. check_console STATUS OUTPUT EXPECT compares a
# run with its expectation file: line 1 the exit status, then lines that
# must appear in OUTPUT in this order (others may come between); a line
# starting with "!" must not appear anywhere. Prints what differs; returns 1
# when anything does.
check_console() {
  local status=$1 out=$2 expect=$3 differ=0 next=0 found line got expected_status
  expected_status=$(head -n 1 "$expect")
  if [ "$status" != "$expected_status" ]; then
    echo "exit status $status, expected $expected_status"; differ=1
  fi
  local output=()
  mapfile -t output < "$out"
  while IFS= read -r line || [ -n "$line" ]; do
    if [ "${line:0:1}" = "!" ]; then
      for got in "${output[@]}"; do
        if [ "$got" = "${line:1}" ]; then echo "unexpected line: ${line:1}"; differ=1; fi
      done
      continue
    fi
    found=0
    while [ $next -lt ${#output[@]} ]; do
      if [ "${output[$next]}" = "$line" ]; then found=1; next=$((next + 1)); break; fi
      next=$((next + 1))
    done
    if [ $found -eq 0 ]; then echo "missing (in order): $line"; differ=1; break; fi
  done < <(tail -n +2 "$expect")
  return $differ
}
