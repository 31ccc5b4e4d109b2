#!/usr/bin/env bash
# limits.sh MKGAME PLAYER
# Two limits the player meets while it writes, neither a reason to stop:
# - under a file-size limit (ulimit -f) a large write fails as any failed
#   write does: one line, the earlier file kept, no temporary left, the
#   other open files written at the end, exit 0;
# - a console whose reader went away (the player's output piped into a
#   program that reads one line and ends) drops its lines: the game plays
#   on, its files are written at the end, exit 0.
set -u
. "$(dirname "$0")/../check_console.sh"
mkgame=$1 player=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_limits_XXXXXX")
trap 'rm -rf "$work"' EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }
for game in size_limit closed_console; do
  "$mkgame" "$here/$game.json" -o "$work/$game.win" > "$work/mkgame.txt" 2>&1 || { cat "$work/mkgame.txt"; exit 1; }
done
run_env=(KORVALITH_HEADLESS=1 XDG_DATA_HOME="$work/data" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
         ALSOFT_DRIVERS=null MESA_SHADER_CACHE_DISABLE=true)

# 64 KiB at most per file; the game writes 256 KiB into big.txt.
save="$work/data/Size Limited"
mkdir -p "$save"
printf 'the earlier big file' > "$save/big.txt"
(ulimit -f 64 && exec env "${run_env[@]}" KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES=30 \
   timeout 60 "$player" -game "$work/size_limit.win") > "$work/size.txt" 2> "$work/size_err.txt" < /dev/null
status=$?
sed "s|@SAVE@|$save|g" "$here/size_limit.expect" > "$work/size_limit.expect"
check_console "$status" "$work/size.txt" "$work/size_limit.expect" || bad "size limit: console"
[ "$(cat "$save/big.txt" 2> /dev/null)" = "the earlier big file" ] || bad "size limit: big.txt was not kept"
[ "$(cat "$save/small.txt" 2> /dev/null)" = "small" ] || bad "size limit: small.txt was not written"
grep -q "^k=NEW" "$save/keep.ini" 2> /dev/null || bad "size limit: the open INI file was not written"
leftovers=$(find "$save" -name '*.kvtmp*')
[ -z "$leftovers" ] || bad "size limit: temporaries left: $leftovers"
[ $fail -eq 0 ] || { echo "---- output"; cat "$work/size.txt" "$work/size_err.txt"; }

# The reader takes the first line and ends; the game prints on a second
# later, on the real clock, and only then closes its file and ends.
save="$work/data/Console Closed"
env "${run_env[@]}" KORVALITH_MAX_FRAMES=300 timeout 60 "$player" -game "$work/closed_console.win" \
  2> "$work/console_err.txt" < /dev/null | head -n 1 > "$work/first.txt"
status=${PIPESTATUS[0]}
[ "$status" = 0 ] || bad "closed console: exit status $status, expected 0"
[ -s "$work/first.txt" ] || bad "closed console: the reader saw no line"
[ "$(cat "$save/late.txt" 2> /dev/null)" = "late" ] || bad "closed console: late.txt was not written"
grep -q "^k=NEW" "$save/console.ini" 2> /dev/null || bad "closed console: the open INI file was not written"
[ $fail -eq 0 ] || { echo "---- stderr"; cat "$work/console_err.txt"; exit 1; }
echo "limits test passed"
