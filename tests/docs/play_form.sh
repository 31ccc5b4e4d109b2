# Sourced by the docs tests. play_form MKGAME PLAYER GAME.json FORM FRAMES
# builds the description in the code form FORM (source, oldexec or bytecode)
# and plays it headless for at most FRAMES frames, with its save folder,
# mkgame's output (mkgame.out) and the player's (out.txt) beside it. Returns
# the player's exit status, or 125 when mkgame refused the description
# (having printed why).
play_form() {
  local mkgame=$1 player=$2 json=$3 form=$4 frames=$5
  local dir game args=() run_args=()
  dir=$(dirname "$json")
  game=${json%.json}.win
  [ "$form" = bytecode ] && args+=(--bytecode)
  [ "$form" = oldexec ] && run_args+=(-oldexec)
  "$mkgame" "$json" -o "$game" "${args[@]}" > "$dir/mkgame.out" 2>&1 ||
    { echo "mkgame failed:"; cat "$dir/mkgame.out"; return 125; }
  env KORVALITH_HEADLESS=1 KORVALITH_CLOCK=virtual KORVALITH_MAX_FRAMES="$frames" XDG_DATA_HOME="$dir/data" \
      LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe ALSOFT_DRIVERS=null \
      timeout 60 "$player" -game "$game" "${run_args[@]}" > "$dir/out.txt" 2>&1 < /dev/null
}

# check_play STATUS EXPECTED PRINTED MESSAGE: 0 when the player ended with
# status 0 and PRINTED holds the lines of EXPECTED; otherwise says what
# differs (MESSAGE heads the line diff) and shows the player's whole output.
check_play() {
  local status=$1 expected=$2 printed=$3 message=$4 dir fail=0
  dir=$(dirname "$printed")
  [ "$status" -eq 0 ] || { echo "exit status $status, expected 0"; fail=1; }
  if ! diff "$expected" "$printed" > "$dir/diff.txt"; then
    echo "$message"; cat "$dir/diff.txt"; fail=1
  fi
  [ $fail -eq 0 ] || { echo "---- player output"; cat "$dir/out.txt"; }
  return $fail
}
