#!/usr/bin/env bash
# Keys from a pipe rather than the terminal: the chooser draws on the terminal,
# reads the piped bytes as they are, and the end of the pipe cancels whatever
# dialog is open. An empty input cancels both dialogs; a folder, Enter, Space and
# Enter run the converter once; input that ends in the list cancels it.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/courses"
touch "$WORK/start/here.zul" "$WORK/courses/one.zul" "$WORK/courses/two.zul"
start_shell "$WORK/start"

run_in_pane "$WORK/bin/zulchooser < /dev/null"
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") with no input"
[ ! -e "$WORK/runs" ] || fail "a converter ran with no input: $(cat "$WORK/runs")"

run_in_pane "printf '%s\r\x1b[B \r' '$WORK/courses' | $WORK/bin/zulchooser"
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") with piped keys"
[ "$(cat "$WORK/runs")" = "$WORK/start [$WORK/courses/two.zul]" ] || fail "runs were: $(cat "$WORK/runs")"

rm -f "$WORK/runs"
run_in_pane "printf '%s\r ' '$WORK/courses' | $WORK/bin/zulchooser"
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") with input that ends in the list"
[ ! -e "$WORK/runs" ] || fail "a converter ran for a list cut short: $(cat "$WORK/runs")"
# Keys from a pipe while the dialogs are drawn on the terminal: no report that
# would land unread in the terminal's input (mouse tracking) is turned on.
run_in_pane "sleep 3 | $WORK/bin/zulchooser"
wait_for 'Change default directory'
[ "$(pane_format '#{mouse_any_flag}')" = 0 ] || fail "mouse tracking on for keys read from a pipe"
check_terminal_restored
echo "piped input: ok"
