#!/usr/bin/env bash
# The input box helps with the folder: Tab completes folder names (never files), in
# turn; the note under the field tells a folder from none; a pasted or typed quoted
# path, a file address and ~ each enter the folder they spell.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start" "$WORK/c/other" "$WORK/c/term1" "$WORK/c/term2" "$WORK/c/my courses" "$WORK/kurse"
touch "$WORK/start/home.zul" "$WORK/c/other/o.zul" "$WORK/c/term1/one.zul" "$WORK/c/term2/two.zul" \
  "$WORK/c/termfile.zul" "$WORK/c/my courses/mine.zul" "$WORK/kurse/k.zul"
start_shell "$WORK/start"

# Opens the box, runs $1 in it, waits for the field to show $2, then Enter: the
# list must show $3.
answer_lists() {
  run_in_pane "$WORK/bin/zulchooser"
  wait_for 'Change default directory'
  eval "$1"
  wait_for "║  $2 *║" 5
  send_key Enter
  wait_for "$3"
  send_key Escape
  check_terminal_restored
}

# Tab fills a folder and the note says it exists; a missing folder is told at once.
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "$WORK/c/oth"
send_key Tab
wait_for "$WORK/c/other/ *║"
wait_for 'This folder exists' 2
type_text "x"
wait_for 'There is no such folder' 2
send_key BSpace Escape
wait_for 'HOME\.ZUL'
send_key Escape
check_terminal_restored

# Repeated Tabs go through term1 and term2, never the file termfile.zul.
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "$WORK/c/term"
seen=""
for _ in 1 2 3 4; do
  send_key Tab
  sleep 0.3
  seen+=" $(capture | grep -o "$WORK/c/term[^ ║]*" | head -1)"
done
[[ $seen == *"$WORK/c/term1/"* && $seen == *"$WORK/c/term2/"* ]] || fail "Tab went through:$seen"
[[ $seen != *termfile* ]] || fail "Tab offered a file:$seen"
send_key Escape Escape
check_terminal_restored

# A bracketed paste as GNOME Terminal gives a dropped folder, and a file address.
# They go into the field unquoted.
paste() { "${TMUX_CMD[@]}" set-buffer -- "$1" && "${TMUX_CMD[@]}" paste-buffer -p -d; }
answer_lists "paste \"'$WORK/c/my courses' \"" "$WORK/c/my courses" 'MINE\.ZUL'
answer_lists "paste 'file://$WORK/c/my%20courses'" "$WORK/c/my courses" 'MINE\.ZUL'
# Typed in double quotes, as a drop on a Windows console types it; and ~: the
# answer is read so when the box answers.
answer_lists "type_text '\"$WORK/c/my courses\"'" "\"$WORK/c/my courses\"" 'MINE\.ZUL'
answer_lists "type_text '~/kurse'" '~/kurse' 'K\.ZUL'
[ ! -e "$WORK/runs" ] || fail "a converter ran: $(cat "$WORK/runs")"
echo "folder help: ok"
