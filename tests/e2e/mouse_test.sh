#!/usr/bin/env bash
# The list box by mouse: a click marks only that name, a Ctrl+click adds one,
# and a click on OK accepts; the converter runs for the two marked names.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
for name in alpha.zul beta.zul gamma.zul delta.zul; do touch "$WORK/start/$name"; done
start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser"

wait_for 'Change default directory'
click_text '[ Cancel ]'
wait_for 'GAMMA\.ZUL'
click_text 'BETA.ZUL'
wait_for '1 marked'
click_text 'ALPHA.ZUL'
wait_for '1 marked'
click_text 'GAMMA.ZUL' 16
wait_for '2 marked'
click_text '► OK ◄'

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
# No course directory was given: the names are relative to the start-up directory.
expected="$WORK/start [alpha.zul]
$WORK/start [gamma.zul]"
[ "$(cat "$WORK/runs")" = "$expected" ] || fail "runs were:
$(cat "$WORK/runs")"
echo "mouse: ok"
