#!/usr/bin/env bash
# backend_includes.sh SRC DESIGN: fails when a file under SRC includes an
# outside library's header outside the folders that DESIGN's table of outside
# libraries (docs/design.md, its "Headers included in" column) gives that
# library, when a file outside SRC/platform/ includes a header of one of
# platform/'s backend sub-folders ("platform/sdl/...", ...), or when the table
# and the list of headers below name different libraries. The rest of the
# program reaches the desktop through the interfaces at platform/'s top level.
set -u
[ $# -eq 2 ] && [ -d "$1" ] && [ -f "$2" ] || { echo "usage: backend_includes.sh SRC DESIGN"; exit 2; }
src=${1%/}
design=$2

# Each outside library by its name in the table, then its headers (an
# extended regular expression matched from the start of an angled include).
# The first library whose headers match a header owns it.
headers=$(
  cat <<'EOF'
SDL2	SDL2?[/._]
EGL	(EGL|KHR)/
OpenGL	(GL|GLES[0-9]*)/
XTest	X11/extensions/XTest
XRandR	X11/extensions/Xrandr
Xlib	X11/
FreeType	(ft2build\.h|freetype)
fontconfig	fontconfig/
freealut	AL/alut\.h
OpenAL	AL/
mpg123	(mpg123|fmt123)\.h
libcurl	curl/
Dear ImGui	(imgui|backends/imgui)
libdl	dlfcn\.h
zlib	z(lib|conf)\.h
json-c	json-c/
Box2D	box2d/
libpng	png(conf)?\.h
libjpeg	j(peglib|error|config|morecfg)\.h
giflib	gif_lib\.h
libffi	ffi(target)?\.h
EOF
)

# The table's rows as NAME<TAB>FOLDER...: every name of the first cell, with
# the folders in backquotes of the third.
owners=$(awk -F' [|] ' '
  /^\| Outside library \|/ { inTable = 1; next }
  inTable && !/^\|/ { inTable = 0 }
  inTable && !/^\|---/ {
    names = substr($1, 3)
    folders = ""
    rest = $3
    while (match(rest, /`[^`]+`/)) {
      folders = folders " " substr(rest, RSTART + 1, RLENGTH - 2)
      rest = substr(rest, RSTART + RLENGTH)
    }
    n = split(names, each, /, /)
    for (i = 1; i <= n; i++) print each[i] "\t" substr(folders, 2)
  }' "$design")

includes=$(find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) -print0 | sort -z |
  xargs -0 -r grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' | sed "s|^$src/||")

found=$(headers=$headers owners=$owners awk '
  function allowed(file, folders,   n, each, i) {
    n = split(folders, each, / /)
    for (i = 1; i <= n; i++) if (index(file, each[i]) == 1) return 1
    return 0
  }
  BEGIN {
    libraries = split(ENVIRON["headers"], rows, /\n/)
    for (i = 1; i <= libraries; i++) {
      split(rows[i], cell, /\t/)
      name[i] = cell[1]
      pattern[i] = "^(" cell[2] ")"
      listed[cell[1]] = 1
    }
    count = split(ENVIRON["owners"], rows, /\n/)
    for (i = 1; i <= count; i++) {
      if (rows[i] == "") continue
      split(rows[i], cell, /\t/)
      folders[cell[1]] = cell[2]
      if (!(cell[1] in listed)) print "  no headers listed for: " cell[1]
    }
    for (i = 1; i <= libraries; i++) {
      if (!(name[i] in folders)) print "  not in the table: " name[i]
    }
    FS = ":"
  }
  {
    file = $1
    line = $2
    text = substr($0, length(file) + length(line) + 3)
    header = text
    sub(/^[[:space:]]*#[[:space:]]*include[[:space:]]*/, "", header)
    if (header ~ /^"platform\/[^"\/]+\//) {
      match(header, /^"[^"]*"/)
      header = substr(header, 1, RLENGTH)
      if (!allowed(file, "platform/")) print "  " file ":" line ": " header " is a backend\047s (platform/ only)"
      next
    }
    if (substr(header, 1, 1) != "<") next
    header = substr(header, 2)
    sub(/>.*/, "", header)
    for (i = 1; i <= libraries; i++) {
      if (header !~ pattern[i]) continue
      if (name[i] in folders && !allowed(file, folders[name[i]])) {
        shown = folders[name[i]]
        gsub(/ /, ", ", shown)
        print "  " file ":" line ": <" header "> is " name[i] "\047s (" shown " only)"
      }
      break
    }
  }' <<< "$includes")
[ -z "$found" ] && exit 0
echo "Includes against the table of outside libraries (docs/design.md):"
echo "$found"
exit 1
