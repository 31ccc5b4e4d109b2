#!/usr/bin/env bash
# backend_includes.sh SRC: fails when a file under SRC outside SRC/platform/
# includes a desktop backend's own header (SDL, Dear ImGui, libcurl, mpg123,
# FreeType, fontconfig, X11, EGL, OpenGL) or a header of one of platform/'s
# backend sub-folders ("platform/sdl/...", ...). The rest of the program
# reaches the desktop through the interfaces at platform/'s top level.
set -u
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: backend_includes.sh SRC"; exit 2; }
src=${1%/}
backends='^[[:space:]]*#[[:space:]]*include[[:space:]]*(<(SDL|imgui|curl/|mpg123|ft2build|freetype|fontconfig/|X11/|EGL/|GL/|GLES)|"platform/[^"/]+/)'
found=$(find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) -not -path "$src/platform/*" -print0 |
  sort -z | xargs -0 -r grep -HnE "$backends" | sed "s|^$src/||")
[ -z "$found" ] && exit 0
echo "Backend headers included outside platform/ (use an interface at platform/'s top level):"
echo "$found" | sed 's/^/  /'
exit 1
