#!/usr/bin/env bash
# Where a screen reader looks, and what a paste does: two lines pasted into the input
# box (bracketed, as tmux pastes for a program that asks) enter no folder until Enter
# is pressed; then, after every key, click, wheel turn and resize of a walk through the
# list box, the terminal's cursor stands on the highlighted name's pointer; a paste in
# the list opens the filter with it.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/courses"
for i in $(seq 10 49); do : > "$WORK/courses/n$i.zul"; done
start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'

# The folder's path pasted in two lines: the line break is left out, nothing answers.
"${TMUX_CMD[@]}" set-buffer -- "$WORK/cour"$'\n'"ses"
"${TMUX_CMD[@]}" paste-buffer -p -d
wait_for 'zul-e2e\.[A-Za-z0-9]+/courses '
sleep 0.3
capture | grep -q 'Change default directory' || fail "the paste answered the question"
send_key Enter
wait_for '1-[0-9]+ of 40'

# The pointer's place on the screen, as tmux's cursor counts it: "column,row" from 0.
pointer_place() {
  local LC_ALL=C.UTF-8 row line before
  row=$(capture | grep -n '►' | head -1 | cut -d: -f1)
  [ -n "$row" ] || { echo none; return; }
  line=$(capture | sed -n "${row}p")
  before=${line%%►*}
  echo "${#before},$((row - 1))"
}
# Waits until the highlight's pointer shows $1 (its name) and the cursor is on it.
expect_cursor_on() {
  local name=$1 step=$2 waited=0 here
  while :; do
    here=$(pointer_place)
    if capture | grep -q "►. $name" && [ "$here" = "$(pane_format '#{cursor_x},#{cursor_y}')" ]; then return; fi
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 50 ] || fail "after $step the cursor is at $(pane_format '#{cursor_x},#{cursor_y}'), the pointer of $name at $here"
  done
}
wheel_down() { type_text $'\e'"[<65;20;10M"; }

expect_cursor_on N10.ZUL "opening"
send_key Down && expect_cursor_on N11.ZUL Down
send_key Up && expect_cursor_on N10.ZUL Up
send_key Space && wait_for '1 marked' && expect_cursor_on N10.ZUL Space
send_key PageDown && expect_cursor_on "N3[0-9].ZUL" PgDn
send_key End && expect_cursor_on N49.ZUL End
send_key Home && expect_cursor_on N10.ZUL Home
type_text "n2" && expect_cursor_on N20.ZUL "typing n2"
send_key S-Up && wait_for '2 marked' && expect_cursor_on N19.ZUL Shift+Up
click_text 'N14.ZUL' && wait_for '1 marked' && expect_cursor_on N14.ZUL "a click"
wheel_down && wheel_down && wheel_down && wheel_down && expect_cursor_on "N2[0-9].ZUL" "a wheel turn"
resize_pane 60 16 && expect_cursor_on "N[1-4][0-9].ZUL" "a resize"
resize_pane 80 30 && expect_cursor_on "N[1-4][0-9].ZUL" "a resize back"

# A paste in the list is something to look for: the filter opens with it.
"${TMUX_CMD[@]}" set-buffer -- "4"$'\n'"5"
"${TMUX_CMD[@]}" paste-buffer -p -d
wait_for '1 of 40 shown'
wait_for 'Filter: 45'
[ "$(pane_format '#{cursor_flag}')" = 1 ] || fail "the cursor is hidden in the filter field"
send_key Escape
expect_cursor_on "N[1-4][0-9].ZUL" "Esc in the field"
send_key Escape

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "cursor and paste: ok"
