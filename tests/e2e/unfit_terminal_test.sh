#!/usr/bin/env bash
# A terminal that cannot show the dialogs (TERM=dumb, or no TERM at all): one
# line on standard error says so, nothing is drawn, both dialogs count as
# cancelled, no converter runs and the exit code is 0.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
touch "$WORK/start/one.zul"
start_shell "$WORK/start"

for term in "TERM=dumb" "-u TERM"; do
  run_in_pane "env $term $WORK/bin/zulchooser 2> $WORK/err"
  wait_for_file "$WORK/exit" 10
  [ "$(cat "$WORK/exit")" = 0 ] || fail "$term: exit code $(cat "$WORK/exit")"
  [ "$(wc -l < "$WORK/err")" = 1 ] || fail "$term: standard error holds: $(cat "$WORK/err")"
  grep -q 'cannot show the dialogs' "$WORK/err" || fail "$term: standard error holds: $(cat "$WORK/err")"
  ! capture | grep -q 'Change default directory' || fail "$term: the dialogs were drawn"
  [ "$(pane_format '#{pane_title}')" != "Select zul files for conversion" ] || fail "$term: the title was set"
  [ ! -e "$WORK/runs" ] || fail "$term: a converter ran: $(cat "$WORK/runs")"
  check_terminal_restored
done
echo "unfit terminal: ok"
