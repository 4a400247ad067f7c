#!/usr/bin/env bash
# Editing the answer in the input box: Backspace, Delete, Left, Home and End
# shape the directory that is changed into; an answer with a wildcard changes
# nothing, and the start-up directory is listed.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/courses"
touch "$WORK/start/home.zul" "$WORK/courses/far.zul"
start_shell "$WORK/start"

# "XcoursesYZ" edited into "courses": Backspace takes the Z; Left, then Delete
# takes the Y; seven times Left and Backspace take the X. Blanks typed at the
# front (Home) are trimmed from the answer.
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "$WORK/XcoursesYZ"
send_key BSpace Left Delete
wait_for "$WORK/Xcourses *║"
for _ in 1 2 3 4 5 6 7; do send_key Left; done
send_key BSpace
wait_for "$WORK/courses *║"
send_key Home
type_text "  "
send_key End
wait_for "  $WORK/courses *║"
send_key Enter
wait_for 'FAR\.ZUL'
capture | grep -q 'HOME\.ZUL' && fail "the start-up directory was listed"
send_key Escape
check_terminal_restored

# A wildcard answer changes nothing: the start-up directory is listed.
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "$WORK/cour*"
send_key Enter
wait_for 'HOME\.ZUL'
send_key Escape
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "input editing: ok"
