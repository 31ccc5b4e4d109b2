#!/usr/bin/env bash
# exit_lifetimes.sh SRC: fails when a file under SRC declares, inside a
# function or a class, a static object that exit would destroy, or a
# thread_local object anywhere that exit would destroy (docs/design.md,
# D-EXIT). exit() destroys such an object before the exit handlers registered
# ahead of its making run (a function's static is made at its first use) and
# every thread_local before any handler, while the handlers still write the
# end-of-run files through it. Accepted: constexpr, pointers, references to
# objects made by new and never destroyed ("static T& x = *new T;"), and
# objects of the plain types below; any other is listed below with the reason
# no exit handler reaches it, or it fails.
set -u
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: exit_lifetimes.sh SRC"; exit 2; }
src=${1%/}

# Types with nothing to destroy (an extended regular expression matched
# against the declared type, "const" removed).
plain='^(bool|char|signed char|unsigned char|short|int|unsigned|unsigned int|long|unsigned long|float|double|size_t|ssize_t|u?int(8|16|32|64)_t|uintptr_t|pid_t|std::once_flag|std::atomic<[^>]*>|std::atomic_[a-z]+)$'

# FILE<TAB>NAME<TAB>why no exit handler reaches it, or why it has nothing to
# destroy.
allowed=$(
  cat <<'EOF'
platform/egl/egl_context.cpp	display	an EGLDisplay is a handle: nothing to destroy
files/write_stream.cpp	self	identities and a flag: nothing to destroy
files/write_stream.cpp	g_earlier	an enumeration: nothing to destroy
resources/path.cpp	kDefault	three numbers: nothing to destroy
debugger/debug_form.cpp	struct	tables of names and numbers: nothing to destroy
script/compiler/name_resolution.cpp	seen	the compiler's; no exit handler compiles
script/compiler/code_node.cpp	pending	the compiler's; no exit handler compiles
script/compiler/code_node.cpp	g_spareArea	the compiler's; no exit handler compiles
script/compiler/code.cpp	tokens	the compiler's; no exit handler compiles
script/compiler/code.cpp	resolved	the compiler's; no exit handler compiles
EOF
)

found=$(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 -r grep -HnE '^[[:space:]]+(static|thread_local)[[:space:]]|^(static[[:space:]]+)?thread_local[[:space:]]' |
  sed "s|^$src/||" | plain=$plain allowed=$allowed awk '
  BEGIN {
    count = split(ENVIRON["allowed"], rows, /\n/)
    for (i = 1; i <= count; i++) {
      split(rows[i], cell, /\t/)
      allow[cell[1] "\t" cell[2]] = 1
    }
    FS = ":"
  }
  {
    file = $1
    line = $2
    text = substr($0, length(file) + length(line) + 3)
    declaration = text
    sub(/^[[:space:]]+/, "", declaration)
    # What comes before the value or the braces: the type and the name.
    head = declaration
    sub(/[=;{].*/, "", head)
    sub(/\[.*/, "", head)
    if (head ~ /\(/) next  # a function
    if (head ~ /(^| )constexpr /) next
    if (head ~ /\*/ || head ~ /&/) next  # a pointer, or a reference to what new made
    words = head
    while (sub(/^(static|thread_local|const|inline) +/, "", words)) continue
    sub(/ +$/, "", words)
    name = words
    sub(/.* /, "", name)
    type = words
    sub(/ *[A-Za-z_][A-Za-z_0-9]*$/, "", type)
    if (type ~ ENVIRON["plain"]) next
    if ((file "\t" name) in allow) next
    if (type == "struct" && (file "\tstruct") in allow) next
    print "  " file ":" line ": " declaration
  }')
[ -z "$found" ] && exit 0
echo "Objects that exit destroys while the exit handlers may still use them (make them with new, never destroyed):"
echo "$found"
exit 1
