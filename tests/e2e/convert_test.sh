#!/usr/bin/env bash
# The whole job: a course directory typed in the input box, two files marked in
# the list box, two converter runs in list order, one after the other, from the
# start-up directory, each with the prefixed name as spelled on disk.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/courses"
for name in b.zul A.ZUL c.Zul 'd e.zul' 'x$(touch PWNED);`id`.zul' notes.txt; do
  printf 'course\n' > "$WORK/courses/$name"
done
start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser"

wait_for 'Change default directory'
type_text "  $WORK/courses  "
send_key Enter
wait_for 'Make simultaneous choices'
wait_for 'A\.ZUL'
# Highlight on A.ZUL: mark it, skip B.ZUL, mark C.ZUL, then mark the last two.
send_key Space Down Down Space Down Space Down Space
wait_for '4 marked'
send_key Enter

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
expected="$WORK/start [$WORK/courses/A.ZUL]
$WORK/start [$WORK/courses/c.Zul]
$WORK/start [$WORK/courses/d] [e.zul]
$WORK/start [$WORK/courses/x\$(touch] [PWNED);\`id\`.zul]"
[ "$(cat "$WORK/runs")" = "$expected" ] || fail "runs were:
$(cat "$WORK/runs")
expected:
$expected"
[ ! -e "$WORK/start/PWNED" ] && [ ! -e "$WORK/courses/PWNED" ] || fail "a shell interpreted a name"
echo "convert: ok"
