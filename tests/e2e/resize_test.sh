#!/usr/bin/env bash
# The terminal changes size several times while each dialog is open: smaller
# than the dialog, larger than the window, and back. Each time the dialog is
# drawn again for the new size, its keys still work afterwards, and the run ends
# normally with the converter run for the name marked.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/courses"
touch "$WORK/courses/one.zul" "$WORK/courses/two.zul" "$WORK/courses/three.zul"
start_shell "$WORK/start"

# Blanks the pane (tmux's own reset of it, which the chooser does not see) and
# then resizes it, so that whatever shows afterwards the chooser drew anew.
resize_blank() {
  "${TMUX_CMD[@]}" send-keys -R
  resize_pane "$1" "$2"
}

run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory for \.ZUL course files\?'
type_text "$WORK/cour"
resize_blank 40 12
wait_for 'Change default directory for \.ZUL'
resize_blank 20 5
wait_for 'Change default d'
resize_blank 120 40
wait_for 'Change default directory for \.ZUL course files\?'
resize_blank 80 30
wait_for 'Change default directory for \.ZUL course files\?'
wait_for "<Cancel> accepts program's directory"
wait_for 'If your \.ZUL files are not on the same path \(folder\)'
# What was typed before the resizes is still there: the rest completes it.
type_text "ses"
wait_for "$WORK/courses"
send_key Enter

wait_for 'ONE\.ZUL'
wait_for ' 0 marked +1-3 of 3'
resize_blank 30 8
wait_for 'ONE\.ZUL'
resize_blank 20 5
wait_for 'ONE\.ZUL'
resize_blank 200 60
wait_for 'TWO\.ZUL'
resize_blank 80 30
for text in 'ONE\.ZUL' 'THREE\.ZUL' 'TWO\.ZUL' ' 0 marked +1-3 of 3' "$WORK/courses" 'Make simultaneous choices'; do
  wait_for "$text"
done
send_key Down Space
wait_for ' 1 marked +1-3 of 3'
send_key Enter

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
[ "$(cat "$WORK/runs")" = "$WORK/start [$WORK/courses/three.zul]" ] || fail "runs were:
$(cat "$WORK/runs")"
echo "resize: ok"
