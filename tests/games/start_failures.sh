#!/usr/bin/env bash
# start_failures.sh MKGAME PLAYER DESCRIPTION.json
# A game file with an unknown chunk appended fails to load (exit 1, no
# preparation); no game at all exits 1; a game file that cannot be read
# exits 1 with the reason; SIGTERM ends a running game with
# exit 0 and removes the player's temporary folder.
set -u
mkgame=$1 player=$2 description=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_start_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp"
mkdir -p "$work/tmp"
fail() { echo "$1"; exit 1; }

"$mkgame" "$description" -o "$work/game.win" || fail "mkgame failed"

# Append a chunk "ABCD" of 4 bytes and fix the container's size word.
cp "$work/game.win" "$work/bad.win"
printf 'ABCD\004\000\000\000\001\000\000\000' >> "$work/bad.win"
size=$(( $(stat -c %s "$work/bad.win") - 8 ))
printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((size & 255)) $(((size >> 8) & 255)) $(((size >> 16) & 255)) $(((size >> 24) & 255)))" |
  dd of="$work/bad.win" bs=1 seek=4 conv=notrunc status=none
KORVALITH_MAX_FRAMES=5 "$player" -game "$work/bad.win" > "$work/bad.txt" 2>&1
status=$?
[ $status -eq 1 ] || fail "unknown chunk: exit $status, expected 1"
grep -qx "unknown Chunk ABCD:1145258561" "$work/bad.txt" || fail "unknown chunk: no unknown Chunk line"
grep -qx "Failed to load the game" "$work/bad.txt" || fail "unknown chunk: no failure line"
grep -qx "PrepareGame()" "$work/bad.txt" && fail "unknown chunk: the game was prepared"

"$player" > "$work/none.txt" 2>&1
status=$?
[ $status -eq 1 ] || fail "no game: exit $status, expected 1"

# A game file that cannot be read: right after "Loaded File" the load says
# so with the system's reason, and the start fails with status 1. The locked
# file is tried as an unprivileged user when the tests run as root.
cp "$work/game.win" "$work/locked.win"
chmod 000 "$work/locked.win"
chmod 711 "$work"
mkdir -m 777 "$work/anyone"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
while IFS='|' read -r name path reason; do
  run=()
  [ "$name" = locked ] && run=("${as_user[@]}")
  XDG_DATA_HOME="$work/anyone/data" TMPDIR="$work/anyone" "${run[@]}" "$player" -game "$path" > "$work/$name.txt" 2>&1
  status=$?
  [ $status -eq 1 ] || fail "$name: exit $status, expected 1"
  loaded=$(grep -nx "Loaded File $path" "$work/$name.txt" | cut -d: -f1)
  [ -n "$loaded" ] || fail "$name: no Loaded File line"
  said=$(sed -n "$((loaded + 1))p" "$work/$name.txt")
  [ "$said" = "Cannot open the game file $path: $reason" ] || fail "$name: after Loaded File: $said"
  grep -q "Game file damaged" "$work/$name.txt" && fail "$name: reported as damaged"
done <<CASES
missing|$work/missing.win|No such file or directory
folder|$work/anyone|Is a directory
locked|$work/locked.win|Permission denied
CASES

"$player" -game "$work/game.win" > "$work/term.txt" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  grep -q "Entering main loop." "$work/term.txt" 2>/dev/null && break
  sleep 0.05
done
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 0 ] || fail "SIGTERM: exit $status, expected 0"
left=$(find "$work/tmp" -mindepth 1 -maxdepth 1 | wc -l)
[ "$left" -eq 0 ] || fail "SIGTERM: the temporary folder is still there"
exit 0
