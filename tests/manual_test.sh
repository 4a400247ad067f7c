#!/usr/bin/env bash
# The manual page renders without warnings, carries the project's version, and is the
# full reference the README points to: every key the README's "Use" section names is a
# key of the manual (set in bold there; in the README a key name, a modifier+key or a
# `c`), the list box's own key row is in both, and each fact of the README's limits at a
# glance (figures, quoted texts, `code`) is in the manual's LIMITS.
#   tests/manual_test.sh SOURCE_DIR VERSION
# Exit 77 (skipped, and says why) without groff.
set -uo pipefail
source_dir=${1:?usage: manual_test.sh SOURCE_DIR VERSION}
version=${2:?version missing}
manual=$source_dir/zulchooser.1
readme=$source_dir/README.md
command -v groff >/dev/null || { echo "SKIPPED: groff is absent (Debian: groff-base), the manual cannot be rendered"; exit 77; }
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

warnings=$(groff -man -ww -z "$manual" 2>&1)
[ -z "$warnings" ] || fail "groff warns:"$'\n'"$warnings"
if command -v mandoc >/dev/null; then
  warnings=$(mandoc -T lint -W warning "$manual" 2>&1)
  [ -z "$warnings" ] || fail "mandoc warns:"$'\n'"$warnings"
fi
grep -q "^\.TH ZULCHOOSER 1 .*\"zulchooser $version\"" "$manual" || fail "the manual's .TH line does not say zulchooser $version"

# The lines of a section: from the line matching $2 to the next line matching $3.
section() { awk -v from="$2" -v to="$3" '$0 ~ from { inside = 1; next } inside && $0 ~ to { exit } inside' "$1"; }
# Each key named in the text on standard input, once a line, sorted.
bold_keys() { grep -oE '\\fB[^\\]+\\f[RP]' | sed -E 's/^\\fB//; s/\\f[RP]$//' | LC_ALL=C sort -u; }
readme_keys() {
  grep -oE '(Ctrl|Shift|Alt)\+[[:alnum:]]+|\<(Up|Down|Left|Right|PgUp|PgDn|Home|End|Backspace|Delete|Insert|Enter|Esc|Space|Tab|F[0-9]+|double-click|wheel)\>|`[^`]`' |
    tr -d '`' | LC_ALL=C sort -u
}

# The README says how to use the program in brief and leaves the rest to the manual:
# every key its "Use" section names is a key of the manual's KEYS.
readme_use=$(section "$readme" '^## Use' '^## ')
manual_keys=$(section "$manual" '^\.SH KEYS' '^\.SH ')
in_readme=$(readme_keys <<<"$readme_use")
in_manual=$(bold_keys <<<"$manual_keys")
[ -n "$in_readme" ] || fail "no keys found in the README's Use section"
missing=$(LC_ALL=C comm -23 <(echo "$in_readme") <(echo "$in_manual"))
[ -z "$missing" ] || fail "the README names keys the manual's KEYS do not:"$'\n'"$missing"

# The list box's key row: "Key what  Key what ...", each key in both texts.
row=$(sed -n 's/.*kKeyHelp = "\([^"]*\)".*/\1/p' "$source_dir/dialogs/list_box.cpp")
[ -n "$row" ] || fail "the list box's key row (kKeyHelp) was not found"
list_box_keys=$(awk '/^\.SS "List box"/ { inside = 1; next } inside && /^\.S[SH] / { exit } inside' <<<"$manual_keys" | bold_keys)
while read -r key _; do
  grep -qxF -- "$key" <<<"$list_box_keys" || fail "the list box's key row names $key, which the manual's List box keys do not"
  grep -qF -- "$key" <<<"$readme_use" || fail "the list box's key row names $key, which the README's Use section does not"
done < <(sed 's/   */\n/g' <<<"$row")

# The limits: each fact of the README's limits at a glance in the rendered manual's LIMITS.
readme_limits=$(section "$readme" '^## Limits' '^## ')
grep -q '^- ' <<<"$readme_limits" || fail "no limits found in the README"
rendered=$(groff -man -Tascii -rLL=5000n -P-cbou "$manual" 2>/dev/null |
  awk '/^LIMITS/ { inside = 1; next } inside && /^[A-Z]/ { exit } inside' | tr -s ' \n' '  ')
while IFS= read -r fact; do
  grep -qF -- "$fact" <<<"$rendered" || fail "the README's limits say \"$fact\", the manual's do not"
done < <(tr -s ' \n' '  ' <<<"$readme_limits" | grep -oE '"[^"]+"|`[^`]+`|\<[0-9]+\>' | sed -E 's/^["`]//; s/["`]$//')

[ "$failures" -eq 0 ] || exit 1
echo "The manual renders cleanly and agrees with the README and the list box's key row."
