#!/usr/bin/env bash
# Cancelling both dialogs: the whole set-up happens, both dialogs are shown,
# no converter runs, the exit code is 0 and the terminal is usable again.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
touch "$WORK/start/one.zul" "$WORK/start/Two.ZUL"
start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser an argument that changes nothing"

wait_for 'If your \.ZUL files are not on the same path \(folder\)'
wait_for 'Change default directory for \.ZUL course files\?'
wait_for "<Cancel> accepts program's directory"
capture | grep -Fq '       example: c:\mydirectory\myfiles\' || fail "example line missing"
[ "$(pane_format '#{pane_title}')" = "Select zul files for conversion" ] || fail "title: $(pane_format '#{pane_title}')"
# The set-up colours: black on bright white (tmux gives each colour its own sequence).
line=$(capture -e | grep -F 'If your .ZUL files')
[[ $line == *$'\e[107m'* && $line == *$'\e[30m'* ]] || fail "set-up colours missing: $(printf %q "$line")"

send_key Escape
wait_for "$WORK/start"
wait_for 'ONE\.ZUL'
wait_for 'TWO\.ZUL'
wait_for 'Make simultaneous choices'
send_key Escape

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "cancel: ok"
