#!/usr/bin/env bash
# outside_files.sh MKGAME PLAYER FORM: the built-ins that read a file outside
# the save folder and the game's folder. A folder made for the run holds a
# text and a piece of code; the game (game.json, "@OUTSIDE@" standing for
# the folder) reads them by their full paths, and the player runs in that
# folder, so a relative name given to execute_file is found there.
set -u
mkgame=$1 player=$2 form=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kv_outside_XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/outside"
echo "written outside" > "$work/outside/note.txt"
echo "show_debug_message('executed ' + argument0)" > "$work/outside/code.txt"
sed "s|@OUTSIDE@|$work/outside|g" "$here/game.json" > "$work/outside_files.json"
sed "s|@OUTSIDE@|$work/outside|g" "$here/game.expect" > "$work/outside_files.expect"
cd "$work/outside" && "$here/../run_game.sh" "$mkgame" "$player" "$work/outside_files.json" "$work/outside_files.expect" "$form"
