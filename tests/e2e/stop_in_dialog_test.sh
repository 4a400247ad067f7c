#!/usr/bin/env bash
# Stopped while each dialog is open, the chooser gives the terminal back as it
# found it: echo and canonical input on, no mouse tracking, the cursor shown
# below the dialog. Continued, it takes the terminal again, draws the dialog
# anew on a blanked screen, answers its keys, and the run ends normally.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
touch "$WORK/start/one.zul"
start_shell "$WORK/start"


# The chooser runs under a shell of its own without job control, which neither
# takes the terminal over when it stops nor sets the terminal up again: what the
# terminal shows and how it is set while the chooser is stopped is the chooser's.
run_in_pane "bash -c '$WORK/bin/zulchooser; exit \$?'"
chooser=""

# Stops the chooser and checks the terminal it leaves: its own settings, no
# mouse tracking, the cursor shown on the line below the dialog.
suspend_chooser() {
  [ -n "$chooser" ] || chooser=$(chooser_under_own_shell)
  kill -TSTP "$chooser"
  local waited=0
  until grep -q '^State:.*stopped' "/proc/$chooser/status"; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 50 ] || fail "the chooser did not stop"
  done
  local settings bottom
  settings=$(stty -a -F "$(pane_format '#{pane_tty}')")
  grep -Eq '(^| )echo( |$)' <<<"$settings" || fail "echo is off while stopped: $settings"
  grep -Eq '(^| )icanon( |$)' <<<"$settings" || fail "canonical input is off while stopped: $settings"
  [ "$(pane_format '#{mouse_any_flag}')" = 0 ] || fail "mouse tracking left on while stopped"
  [ "$(pane_format '#{cursor_flag}')" = 1 ] || fail "cursor left hidden while stopped"
  bottom=$(capture | grep -nF '╚' | tail -1 | cut -d: -f1)
  [ -n "$bottom" ] || fail "the dialog is no longer shown"
  [ "$(pane_format '#{cursor_y}')" -ge "$bottom" ] || fail "the cursor is inside the dialog, which ends on row $bottom"
}

# Blanks the pane (tmux's own reset, which the chooser does not see) and lets
# the chooser go on: what shows afterwards it drew anew.
resume_chooser() {
  "${TMUX_CMD[@]}" send-keys -R
  kill -CONT "$chooser"
}

wait_for 'Change default directory for \.ZUL course files\?'
suspend_chooser
resume_chooser
wait_for 'Change default directory for \.ZUL course files\?'
wait_for "<Cancel> accepts program's directory"
send_key Escape

wait_for ' 0 marked +1-1 of 1'
suspend_chooser
resume_chooser
wait_for 'ONE\.ZUL'
wait_for ' 0 marked +1-1 of 1'
send_key Escape

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "stop in a dialog: ok"
