#!/usr/bin/env bash
# format.sh [--check]: formats every C++ source of the repository in place
# with .clang-format; with --check, changes nothing and fails on the first
# file whose formatting differs (the link.format CTest runs this).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mode=(-i)
[ "${1:-}" = "--check" ] && mode=(--dry-run --Werror)
git ls-files -z -- '*.cpp' '*.h' '*.c' | xargs -0 -r clang-format --style=file "${mode[@]}"
