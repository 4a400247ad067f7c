#!/usr/bin/env bash
# The documents for engineers name only what is there: every file, folder and type that
# HACKING.md and docs/ARCHITECTURE.md name in `code` exists in the tree. A name with a
# slash or a file ending is a path (a * in it a pattern that must match); a name in
# PascalCase, alone or as Type::Member, must be a word of the C++ sources.
# The README gives the two set-up commands and stays short.
#   tests/documents_test.sh SOURCE_DIR
set -uo pipefail
root=${1:?usage: documents_test.sh SOURCE_DIR}
cd "$root" || exit 1
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for document in HACKING.md docs/ARCHITECTURE.md; do
  [ -f "$document" ] || { fail "$document is missing"; continue; }
  while IFS= read -r name; do
    case $name in
      build/* | /* | *' '* | *'<'* | *'='* | -*) continue ;;  # made by a build, the system's, or a command
      */* | *.h | *.cpp | *.sh | *.py | *.md | *.manifest | *.1)
        name=${name%/}
        if [[ $name == *'*'* ]]; then
          git ls-files -- "$name" | grep -q . || fail "$document names $name, which matches nothing"
        else
          [ -e "$name" ] || fail "$document names $name, which does not exist"
        fi
        ;;
      [A-Z][a-z]*)
        [[ $name =~ ^[A-Z][A-Za-z0-9]*(::[A-Za-z_][A-Za-z0-9_]*)?$ ]] || continue
        for word in "${name%%::*}" "${name#*::}"; do
          git grep -qw -- "$word" -- '*.h' '*.cpp' || fail "$document names $name, which no source has"
        done
        ;;
    esac
  done < <(grep -oE '`[^`]+`' "$document" | tr -d '`' | sort -u)
done

grep -q 'make run' README.md && grep -q 'make test' README.md || fail "README.md does not give make run and make test"
lines=$(wc -l < README.md)
[ "$lines" -le 160 ] || fail "README.md has $lines lines; it is for the user, about 150 at most"

[ "$failures" -eq 0 ] || exit 1
echo "The documents name only what is there, and the README gives the set-up commands."
