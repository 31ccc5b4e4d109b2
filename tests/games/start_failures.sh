#!/usr/bin/env bash
# start_failures.sh MKGAME PLAYER DESCRIPTION.json
# A game file with an unknown chunk appended fails to load (exit 1, no
# preparation), and one with a second copy of a known chunk is refused as
# damaged (exit 1); a constant name that is no name fails the preparation
# (exit 1); no game at all exits 1; a game file that cannot be read
# exits 1 with the reason; a game that cannot open a screen exits 1 with
# the reason; SIGTERM ends a running game with
# exit 0 and removes the player's temporary folder.
set -u
mkgame=$1 player=$2 description=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_start_XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVALITH_HEADLESS=1 XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp"
mkdir -p "$work/tmp"
fail() { echo "$1"; exit 1; }
# refused_start FILE WHAT LINE NOT: the player refuses FILE with status 1,
# printing LINE whole and no line that matches NOT.
refused_start() {
  KORVALITH_MAX_FRAMES=5 "$player" -game "$1" > "$1.txt" 2>&1
  local status=$?
  [ $status -eq 1 ] || fail "$2: exit $status, expected 1"
  grep -qxF "$3" "$1.txt" || fail "$2: no line \"$3\""
  grep -q "$4" "$1.txt" && fail "$2: the game was read"
}

"$mkgame" "$description" -o "$work/game.win" || fail "mkgame failed"

# The container's size word made right again after chunks were appended.
fix_size() {
  local size=$(( $(stat -c %s "$1") - 8 ))
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((size & 255)) $(((size >> 8) & 255)) $(((size >> 16) & 255)) $(((size >> 24) & 255)))" |
    dd of="$1" bs=1 seek=4 conv=notrunc status=none
}

# Append a chunk "ABCD" of 4 bytes.
cp "$work/game.win" "$work/bad.win"
printf 'ABCD\004\000\000\000\001\000\000\000' >> "$work/bad.win"
fix_size "$work/bad.win"
KORVALITH_MAX_FRAMES=5 "$player" -game "$work/bad.win" > "$work/bad.txt" 2>&1
status=$?
[ $status -eq 1 ] || fail "unknown chunk: exit $status, expected 1"
grep -qx "unknown Chunk ABCD:1145258561" "$work/bad.txt" || fail "unknown chunk: no unknown Chunk line"
grep -qx "Failed to load the game" "$work/bad.txt" || fail "unknown chunk: no failure line"
grep -qx "PrepareGame()" "$work/bad.txt" && fail "unknown chunk: the game was prepared"

# chunk_of FILE ID: the whole chunk ID of FILE, header included.
chunk_of() {
  local offset=8 total size
  total=$(stat -c %s "$1")
  while [ $offset -lt "$total" ]; do
    size=$(od -An -tu4 -j $((offset + 4)) -N 4 "$1" | tr -d ' ')
    if [ "$(dd if="$1" bs=1 skip=$offset count=4 status=none)" = "$2" ]; then
      tail -c +$((offset + 1)) "$1" | head -c $((8 + size))
      return
    fi
    offset=$((offset + 8 + size))
  done
}

# A second copy of a chunk read once (a header under another id counts as
# a second header): the load stops on it, before the first is read twice.
while IFS='|' read -r copied id said; do
  cp "$work/game.win" "$work/twice.win"
  { printf '%s' "$id"; chunk_of "$work/game.win" "$copied" | tail -c +5; } >> "$work/twice.win"
  fix_size "$work/twice.win"
  refused_start "$work/twice.win" "second $id" "Game file damaged: $id: $said" "^InitKSLFunctions\|^PrepareGame()"
done <<CASES
GEN8|GEN8|a second GEN8 chunk
GEN8|GEN7|a second header chunk, after GEN8
OPTN|OPTN|a second OPTN chunk
STRG|STRG|a second STRG chunk
ROOM|ROOM|a second ROOM chunk
CASES

"$player" > "$work/none.txt" 2>&1
status=$?
[ $status -eq 1 ] || fail "no game: exit $status, expected 1"

# A constant name that is no name: mkgame refuses one, so the name is
# spoilt in the written file; the player refuses it while preparing (exit 1)
# and compiles nothing.
cat > "$work/constant.json" <<'GAME'
{"name": "a constant spoilt", "constants": {"c_ok": "c_white - 1", "Zq7abc": "2"}}
GAME
"$mkgame" "$work/constant.json" -o "$work/constant.win" || fail "mkgame failed on constant"
LC_ALL=C sed -i 's/Zq7abc/1q7abc/' "$work/constant.win"
refused_start "$work/constant.win" "constant name" "Constant name 1q7abc  is not valid." "^Script_Prepare()"
grep -qx "Failed to define the constants." "$work/constant.win.txt" || fail "constant name: no failure line"

# A game file that cannot be read: right after "Reading File" the load says
# so with the system's reason (and never that it loaded the file), and the start fails with status 1. The locked
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
  grep -q "^Loaded File" "$work/$name.txt" && fail "$name: a Loaded File line for a file not read"
  reading=$(grep -nx "Reading File $path" "$work/$name.txt" | cut -d: -f1)
  [ -n "$reading" ] || fail "$name: no Reading File line"
  said=$(sed -n "$((reading + 1))p" "$work/$name.txt")
  [ "$said" = "Cannot open the game file $path: $reason" ] || fail "$name: after Reading File: $said"
  grep -q "Game file damaged" "$work/$name.txt" && fail "$name: reported as damaged"
done <<CASES
missing|$work/missing.win|No such file or directory
folder|$work/anyone|Is a directory
locked|$work/locked.win|Permission denied
CASES

# Games that cannot open a screen say why, in one line, and exit 1: an old
# format (no window size in its header) without a first room to size it by,
# a first room without area, and a header whose window has none.
# zero_at FILE OFFSET COUNT: COUNT zero bytes at OFFSET of the header's data.
zero_at() {
  local header
  header=$(grep -obUa GEN8 "$1" | head -1 | cut -d: -f1)
  dd if=/dev/zero of="$1" bs=1 seek=$((header + 8 + $2)) count="$3" conv=notrunc status=none
}
cat > "$work/flat.json" <<'GAME'
{"name": "old and flat", "format": 5, "rooms": [{"width": 0, "height": 40}]}
GAME
"$mkgame" "$work/flat.json" -o "$work/flat.win" || fail "mkgame failed on flat"
cp "$work/flat.win" "$work/roomless.win"
zero_at "$work/roomless.win" 36 4  # the old room order's count
cp "$work/game.win" "$work/sizeless.win"
zero_at "$work/sizeless.win" 60 8  # the window's width and height
while IFS='|' read -r name said; do
  refused_start "$work/$name.win" "$name" "$said" "^PrepareGame()"
done <<CASES
roomless|A game of format 5 keeps no window size in its header, and has no first room to take it from
flat|The game's screen of 0 x 40 cannot be opened
sizeless|The game's screen of 0 x 0 cannot be opened
CASES
# One fault, one line: the roomless game says nothing of a 0 x 0 screen.
grep -q "cannot be opened" "$work/roomless.win.txt" && fail "roomless: a second line for one fault"

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
