#!/usr/bin/env bash
# run_http_game.sh SERVER MKGAME PLAYER DESCRIPTION.json EXPECT FORM
# Starts the loopback server, writes its port over "@PORT@" in copies of the
# description and the expectation (with the files beside the description
# that hold the run's settings), and runs the copy as run_game.sh does.
set -u
server=$1 mkgame=$2 player=$3 description=$4 expect=$5 form=$6
. "$(dirname "$0")/loopback_support.sh"
start_server "$server"
name=$(basename "${description%.json}")
sed "s/@PORT@/$port/g" "$description" > "$work/$name.json"
sed "s/@PORT@/$port/g" "$expect" > "$work/$name.expect"
for extra in frames args; do
  [ -f "${description%.json}.$extra" ] && cp "${description%.json}.$extra" "$work/$name.$extra"
done
"$(dirname "$0")/../run_game.sh" "$mkgame" "$player" "$work/$name.json" "$work/$name.expect" "$form"
