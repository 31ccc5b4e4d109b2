# guide_block GUIDE MARKER: prints the fenced block that follows the line
# "<!-- MARKER..." in the guide, without its fences.
guide_block() {
  awk -v marker="<!-- $2" '
    index($0, marker) == 1 { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$1"
}
