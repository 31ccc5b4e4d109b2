# layer_order.awk DESIGN: prints the layers docs/design.md documents, read
# from the table under "## Layers", one line each:
#   LIBRARY RANK        the libraries in link order, the lowest first
#   LIBRARY SUB RANK    a library's layers: its sub-folders, and "." for the
#                       files at its top level
# A row whose text says "Sub-folders from the bottom up:" orders the
# sub-folders it names there (`name/`, outside parentheses), and "the top
# level" among them places the top-level files; unnamed, they lie below all.
# Every other library gets "LIBRARY . 0" and "LIBRARY * 1": its top level
# lies below its sub-folders, which stand side by side.
/^## / { inLayers = ($0 == "## Layers") }
inLayers && /^\| `[a-z0-9_]+\/` \|/ {
  library = $0
  sub(/^\| `/, "", library)
  sub(/\/`.*/, "", library)
  print library, ++libraries
  start = index($0, "Sub-folders from the bottom up:")
  if (start == 0) {
    print library, ".", 0
    print library, "*", 1
    next
  }
  text = substr($0, start)
  depth = 0
  rank = 0
  placedTop = 0
  for (i = 1; i <= length(text); i++) {
    c = substr(text, i, 1)
    if (c == "(") depth++
    else if (c == ")") depth--
    else if (depth == 0 && c == "`" && match(substr(text, i), /^`[a-z0-9_]+\/`/)) {
      print library, substr(text, i + 1, RLENGTH - 3), ++rank
      i += RLENGTH - 1
    } else if (depth == 0 && substr(text, i, 13) == "the top level") {
      print library, ".", ++rank
      placedTop = 1
      i += 12
    } else if (depth == 0 && c == "|") break
  }
  if (!placedTop) print library, ".", 0
}
