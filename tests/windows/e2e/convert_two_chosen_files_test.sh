#!/usr/bin/env bash
# Under wine: a course folder given as a Windows path (with blanks around it) is
# listed upper-cased and sorted, without other files, folders or hidden files;
# two names marked with Space and Enter run the converter twice, in list order,
# one run after the other, from the start-up folder, each with "vizozava", three
# blanks, the folder, a backslash and the upper-cased name.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/wine_lib.sh"

COURSES="$WORK/courses"
mkdir -p "$COURSES/folder.zul"
printf 'b\n' >"$COURSES/beta.zul"
printf 'a\n' >"$COURSES/Alpha.Zul"
printf 'g\n' >"$COURSES/GAMMA.ZUL"
printf 'n\n' >"$COURSES/notes.txt"
printf 'h\n' >"$COURSES/.hidden.zul"
courses_win=$(windows_path "$COURSES")

start_chooser
type_text "  $courses_win "
send_key Enter
wait_for "║ $(literally "$courses_win") +║" 30
wait_for 'GAMMA\.ZUL' 10
listed=$(capture | grep -oE '[^ ║]+\.ZUL' | tr '\n' ' ')
[ "$listed" = "ALPHA.ZUL BETA.ZUL GAMMA.ZUL " ] || fail "listed: $listed"

send_key Space
send_key Down
send_key Space
wait_for '2 marked' 10
send_key Enter
expect_exit_code_zero

start_win=$(windows_path "$START")
expect_runs "$start_win|vizozava   $courses_win\\ALPHA.ZUL" "$start_win|vizozava   $courses_win\\BETA.ZUL"
echo "PASS"
