#!/usr/bin/env bash
# No converter anywhere: each run fails silently and the chooser ends normally.
source "$(dirname "$0")/lib.sh"

install_chooser none
mkdir -p "$WORK/start"
touch "$WORK/start/a.zul"
start_shell "$WORK/start"
run_in_pane "PATH=/usr/bin:/bin $WORK/bin/zulchooser"
wait_for 'Change default directory'
send_key Enter
wait_for 'A\.ZUL'
send_key Enter

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
echo "missing converter: ok"
