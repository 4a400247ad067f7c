#!/usr/bin/env bash
# A vizozava in the start-up folder runs only when no other user could have put it
# there: in a folder anyone may write to (0777) the one on the PATH runs instead; in
# the user's own 0755 folder the one there runs.
source "$(dirname "$0")/lib.sh"

install_chooser none
mkdir -p "$WORK/start" "$WORK/path"
make_recorder "$WORK/path/vizozava" "$WORK/path-runs"
make_recorder "$WORK/start/vizozava" "$WORK/planted-runs"
touch "$WORK/start/a.zul"
start_shell "$WORK/start"

# Runs the chooser in the start-up folder of mode $1 and converts A.ZUL.
convert_in_folder_of_mode() {
  chmod "$1" "$WORK/start"
  rm -f "$WORK/path-runs" "$WORK/planted-runs"
  run_in_pane "PATH=$WORK/path:/usr/bin:/bin $WORK/bin/zulchooser"
  wait_for 'Change default directory'
  send_key Escape
  wait_for 'A\.ZUL'
  send_key Enter
  check_terminal_restored
}

convert_in_folder_of_mode 0777
[ ! -e "$WORK/planted-runs" ] || fail "the converter planted in a 0777 folder ran"
[ "$(cat "$WORK/path-runs" 2>/dev/null)" = "$WORK/start [a.zul]" ] || fail "the PATH's converter did not run once"

convert_in_folder_of_mode 0755
[ ! -e "$WORK/path-runs" ] || fail "the PATH's converter ran, not the one in the user's own folder"
[ "$(cat "$WORK/planted-runs" 2>/dev/null)" = "$WORK/start [a.zul]" ] || fail "the start-up folder's converter did not run once"
echo "planted converter: ok"
