#!/usr/bin/env bash
# xvfb_run.sh COMMAND [ARGUMENTS...]
# Runs a command on a private X server (no window manager), not headless,
# with KV_TEST_DESKTOP=1 for the tests that need a desktop. The screen is
# KV_XVFB_SCREEN's size, else 800x600, and KV_XVFB_DEPTH's colour depth,
# else 24.
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_xvfb_XXXXXX")
xvfb_pid=""
# The server is asked to stop, and killed when it has not within five
# seconds (a server stuck on a busy machine must not hold the test).
cleanup() {
  if [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null; then
    for _ in $(seq 1 50); do
      kill -0 "$xvfb_pid" 2> /dev/null || break
      sleep 0.1
    done
    kill -KILL "$xvfb_pid" 2> /dev/null
    wait "$xvfb_pid" 2> /dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

exec 3> "$work/display"
# -noreset: when its last client leaves, the server would start over, and a
# player connecting in that moment finds no display and plays without one.
Xvfb -displayfd 3 -screen 0 "${KV_XVFB_SCREEN:-800x600}x${KV_XVFB_DEPTH:-24}" -nolisten tcp -noreset > "$work/xvfb.txt" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 1 600); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: the X server did not start"; cat "$work/xvfb.txt"; exit 1; }

env -u KORVALITH_HEADLESS DISPLAY=":$(head -n 1 "$work/display")" KV_TEST_DESKTOP=1 LIBGL_ALWAYS_SOFTWARE=1 \
    ALSOFT_DRIVERS=null "$@"
