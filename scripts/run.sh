#!/usr/bin/env bash
# run.sh [arguments]: installs what is missing, builds, and runs the player.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release >/dev/null
exec "$root/build/release/korvalith" "$@"
