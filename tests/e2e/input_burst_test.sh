#!/usr/bin/env bash
# Input that arrives faster than the screen can be drawn: a 10 000-byte paste
# into the input box (a course directory padded with blanks, which is used; the
# marks of a bracketed paste around it type nothing), a burst of 2000 Down keys
# into a list of 1000 names, which the list box keeps up with, and a paste
# longer than an answer may be, which the input box cuts at its limit of 32768
# bytes.
source "$(dirname "$0")/lib.sh"

install_chooser
mkdir -p "$WORK/start"
make_long_course_files "$WORK/courses" 1000
start_shell "$WORK/start"

# Pastes $2 followed by blanks up to $1 bytes, then $3; with $4 "bracketed"
# between the marks a terminal puts around a paste in bracketed-paste mode.
paste_padded() {
  local open='' close=''
  [ "${4:-}" = bracketed ] && open=$'\e[200~' close=$'\e[201~'
  printf '%s%s%*s%s%s' "$open" "$2" $(($1 - ${#2})) '' "$3" "$close" > "$WORK/paste"
  "${TMUX_CMD[@]}" load-buffer "$WORK/paste"
  "${TMUX_CMD[@]}" paste-buffer -d
}

run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
paste_padded 10000 "   $WORK/courses" '' bracketed
send_key Enter
wait_for ' 0 marked +1-[0-9]+ of 1000' 10
wait_for "$WORK/courses"

# Space, PgDn and 2000 Downs in one write: the reads split it wherever they
# do, often inside a key's sequence, and every key still arrives.
downs=$(printf '\e[B%.0s' $(seq 2000))
type_text " "$'\e[6~'"$downs"
wait_for ' 1 marked +[0-9]+-1000 of 1000' 5
send_key Enter
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
# The one marked name, as much of it as the converter's command line holds.
line="vizozava   $WORK/courses/$(printf 'a%.0s' $(seq 240))1.zul"
[ "$(cat "$WORK/runs")" = "$WORK/start [${line:11:245}]" ] || fail "runs were:
$(cat "$WORK/runs")"

# A paste past the limit: what lies beyond byte 32768 is dropped, so the
# directory padded with blanks is used, not the text after the blanks.
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
paste_padded 32768 "$WORK/courses" '/nowhere'
send_key Enter
wait_for ' 0 marked +1-[0-9]+ of 1000' 10
send_key Escape
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit") after the long paste"
echo "input burst: ok"
