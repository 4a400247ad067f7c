#!/usr/bin/env bash
# The suspend key while the converter runs: the chooser and the converter stop
# together and the shell has the terminal; after `fg` the converter goes on with
# the terminal's own settings (its input echoed, line by line), the chooser
# draws nothing until the run ends, and then the terminal is usable again.
source "$(dirname "$0")/lib.sh"

install_chooser none
# A converter that asks for a line, then notes it and the terminal's settings.
cat > "$WORK/bin/vizozava" <<CONVERTER
#!/bin/bash
echo "converter asks for a line"
read -r line
echo "got [\$line]" > "$WORK/line"
stty -a > "$WORK/converter-stty"
CONVERTER
chmod 0755 "$WORK/bin/vizozava"
mkdir -p "$WORK/start"
touch "$WORK/start/one.zul"
start_shell "$WORK/start"
# Alone on its line: the shell would go on to the next command of a list
# once the chooser stops.
type_text "clear; $WORK/bin/zulchooser"
send_key Enter

wait_for 'Change default directory'
send_key Escape
wait_for 'ONE\.ZUL'
send_key Space Enter
wait_for 'converter asks for a line'

send_key C-z
wait_for 'Stopped' 5
wait_for '^\$ ?$' 5
state=$(ps -o stat= -o comm= -t "$(pane_format '#{pane_tty}')")
grep -Eq '^ *T.* zulchooser' <<<"$state" || fail "the chooser did not stop: $state"
grep -Eq '^ *T.* vizozava' <<<"$state" || fail "the converter did not stop: $state"

rm -f "$WORK/exit"
type_text "fg; echo \$? > $WORK/exit"
send_key Enter
sleep 0.5
# Typed while the converter has the terminal: echoed by the terminal itself.
type_text "typed after fg"
wait_for 'typed after fg' 5
send_key Enter
wait_for_file "$WORK/line" 5
[ "$(cat "$WORK/line")" = "got [typed after fg]" ] || fail "the converter read: $(cat "$WORK/line")"
grep -Eq '(^| )icanon( |$)' "$WORK/converter-stty" || fail "the converter ran without canonical input"
grep -Eq '(^| )echo( |$)' "$WORK/converter-stty" || fail "the converter ran without echo"

check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
echo "suspend during a run: ok"
