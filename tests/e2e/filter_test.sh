#!/usr/bin/env bash
# Finding and marking many names by keyboard: Shift+Down marks a range (the terminal
# sends xterm's modified cursor key), `/` filters the list, Ctrl+A marks the names
# shown, Esc clears the filter and Enter runs the converter on every marked name,
# shown or not, in list order.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/courses"
for name in alg2023.zul alg2024.zul bio2023.zul bio2024.zul chem2023.zul geo2024.zul; do
  printf 'course\n' > "$WORK/courses/$name"
done
start_shell "$WORK/courses"
run_in_pane "$WORK/bin/zulchooser"

wait_for 'Change default directory'
send_key Escape
wait_for 'ALG2023\.ZUL'
# ALG2023 and ALG2024 by a range; then the names with 2024 by the filter and Ctrl+A.
send_key S-Down
wait_for '2 marked'
type_text '/2024'
wait_for '3 of 6 shown'
send_key Enter C-a
wait_for '4 marked'
capture | grep -q 'BIO2023' && fail "the filter shows BIO2023"
send_key Escape
wait_for '1-6 of 6'
send_key Enter

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
expected="$WORK/courses [alg2023.zul]
$WORK/courses [alg2024.zul]
$WORK/courses [bio2024.zul]
$WORK/courses [geo2024.zul]"
[ "$(cat "$WORK/runs")" = "$expected" ] || fail "runs were:
$(cat "$WORK/runs")
expected:
$expected"
echo "filter: ok"
