#!/usr/bin/env bash
# Cancelling both dialogs: the whole set-up happens, both dialogs are shown,
# no converter runs, the exit code is 0 and the terminal is usable again. Then
# each signal that ends the chooser while a dialog is open: the terminal is
# usable again and the shell's words and prompt come below the dialog, in the
# terminal's own colours.
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

# The dialog is still shown, and the shell's prompt comes after its last row.
check_below_dialog() {
  local bottom
  bottom=$(capture | grep -nF '╚' | tail -1 | cut -d: -f1)
  [ -n "$bottom" ] || fail "the dialog is no longer shown"
  [ "$(prompt_row)" -gt "$bottom" ] || fail "the prompt is inside the dialog, which ends on row $bottom"
}
signal_number() { kill -l "$1"; }
# The chooser runs under a shell of its own: the pane's shell, which is
# interactive, would take a child's end by SIGINT for a Ctrl+C of its own and
# record no exit code.
# Every signal whose default ends a process, in the input box or in the list box.
for signal in TERM HUP INT QUIT SEGV USR1 USR2 ALRM PIPE VTALRM PROF XCPU XFSZ SYS TRAP RTMIN; do
  run_in_pane "bash -c 'ulimit -c 0; $WORK/bin/zulchooser; exit \$?'"
  wait_for 'Change default directory for \.ZUL course files\?'
  case $signal in HUP | QUIT | USR1 | ALRM | PIPE | XCPU | SYS)
    send_key Escape
    wait_for ' 0 marked +1-2 of 2'
  esac
  kill "-$signal" "$(chooser_under_own_shell)"
  check_terminal_restored
  [ "$(cat "$WORK/exit")" = $((128 + $(signal_number "$signal"))) ] || fail "exit code $(cat "$WORK/exit") for SIG$signal"
  check_below_dialog
done
echo "cancel: ok"
