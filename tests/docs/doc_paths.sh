#!/usr/bin/env bash
# doc_paths.sh SOURCE_DIR PAGE...: what the pages name of the repository is
# there, and no tracked file names a path of the machine it was written on.
# - Every link to a file ("[text](../tools/README.md#part)") leads to a file
#   or folder of the repository, and its "#part" to a heading of that page.
# - Every name in backquotes that begins with a top-level folder of the
#   repository ("`tests/docs/`", "`src/builtins/`") is a file or folder.
# - No tracked file holds a home or work folder of a build machine or a
#   path to the folder beside the repository.
# Exits 77 (skipped) outside a git checkout, where "tracked" means nothing.
set -u
source_dir=$1
shift
cd "$source_dir" || exit 1
git rev-parse --is-inside-work-tree > /dev/null 2>&1 || { echo "not a git checkout"; exit 77; }

# The anchors of a page's headings, as the links write them: lower case,
# punctuation but "-" and "_" dropped, blanks as "-".
anchors() {
  grep -E '^#{1,6} ' "$1" | sed -E 's/^#+ +//' | tr '[:upper:]' '[:lower:]' |
    sed -E 's/[^a-z0-9 _-]//g; s/ /-/g'
}

fail=0
top_folders=$(git ls-files | grep / | cut -d/ -f1 | sort -u | paste -sd'|')
for page in "$@"; do
  folder=$(dirname "$page")
  # Links, without the ones that leave the repository or stay on the page.
  while IFS= read -r target; do
    file=${target%%#*}
    part=${target#"$file"}
    part=${part#\#}
    case $file in http*://* | mailto:*) continue ;; esac
    linked=$page
    if [ -n "$file" ]; then
      linked=$folder/$file
      [ -e "$linked" ] || { echo "$page: the link \"$target\" leads to no file of the repository"; fail=1; continue; }
    fi
    if [ -n "$part" ] && [ -f "$linked" ] && ! anchors "$linked" | grep -qxF -- "$part"; then
      echo "$page: the link \"$target\" names no heading of $linked"; fail=1
    fi
  done < <(grep -oE '\]\([^) ]+\)' "$page" | sed -E 's/^\]\(//; s/\)$//')
  # Names in backquotes under a top-level folder of the repository.
  while IFS= read -r name; do
    path=${name%%[#@ :]*}
    # A pattern ("`tests/games/NAME.json`", "`fuzz/<target>/`") names no one file.
    [[ $path =~ [\<\*]|(^|/)[A-Z]+[./] ]] && continue
    [ -e "$path" ] || { echo "$page: \`$name\` is not in the repository"; fail=1; }
  done < <(grep -oE '`[^`]+`' "$page" | tr -d '`' | grep -E "^($top_folders)/" | sort -u)
done

# The pattern is built so that this file does not hold what it looks for.
machine_paths=$(printf '(^|[^A-Za-z0-9_.~-])/(%s|%s)/|[.][.]/%s/' work root shared)
hits=$(git grep -nE "$machine_paths" -- .)
[ -z "$hits" ] || { echo "tracked files name a path of a build machine:"; echo "$hits"; fail=1; }
exit $fail
