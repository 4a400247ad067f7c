#!/usr/bin/env bash
# The chooser on a terminal far smaller and one far larger than its 80 x 30
# window: it starts, shows what fits, answers keys, ends with exit code 0 and
# leaves the terminal usable. A small terminal shows the top left of the window,
# the dialogs fitted into it; a large one shows the window at its top left and
# nothing beyond it; one that grows while the chooser runs shows all of it.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
touch "$WORK/start/alpha.zul" "$WORK/start/beta.zul"

# 20 x 5: the input box keeps its frame, the start of its question and the
# buttons; the list box one name at a time.
start_shell "$WORK/start" 20 5
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default d'
wait_for 'OK ◄'
send_key Escape
wait_for 'ALPHA\.ZUL'
send_key Down
wait_for 'BETA\.ZUL'
send_key Escape
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") on 20 x 5"

# 300 x 100: everything shows within the first 80 columns and 30 rows.
resize_pane 300 100
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory for \.ZUL course files\?'
wait_for "<Cancel> accepts program's directory"
wait_for 'If your \.ZUL files are not on the same path \(folder\)'
within_window() {
  local LC_ALL=C.UTF-8 line row=0
  while IFS= read -r line; do
    row=$((row + 1))
    [ ${#line} -le 80 ] || fail "row $row is drawn beyond column 80"
    [ $row -le 30 ] || [ -z "${line// /}" ] || fail "row $row is drawn below row 30"
  done < <(capture)
  [ $row = 100 ] || fail "the pane has $row rows"
}
within_window
send_key Escape
wait_for 'BETA\.ZUL'
wait_for 'Make simultaneous choices'
send_key Down Space
wait_for ' 1 marked +1-2 of 2'
wait_for '►√ BETA\.ZUL'
within_window
send_key Escape
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") on 300 x 100"

# Started on 20 x 5 and then given room: the window grows to its 80 x 30.
resize_pane 20 5
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default d'
resize_pane 80 30
wait_for 'Change default directory for \.ZUL course files\?'
wait_for 'If your \.ZUL files are not on the same path \(folder\)'
send_key Escape
wait_for ' 0 marked +1-2 of 2'
send_key Escape
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") after growing"
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "terminal sizes: ok"
