# Helpers for end-to-end tests: each test drives the real programs in a private
# tmux server of its own (80 x 30), types with send-keys and reads the screen
# with capture-pane, polled with a timeout. On failure the pane is printed whole.
set -euo pipefail

BIN=${1:?usage: test.sh BIN_DIR}
BIN=$(cd "$BIN" && pwd)
SOCKET="zul-e2e-$$-$RANDOM"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zul-e2e.XXXXXX")
TMUX_CMD=(tmux -L "$SOCKET" -f /dev/null)

cleanup() {
  "${TMUX_CMD[@]}" kill-server >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts a plain shell in a fresh pane of $2 columns by $3 rows (80 x 30 when
# not given), in folder $1. Its prompt is "$ " whoever runs the tests (root's
# default prompt ends in "#"), and it keeps no history file, which it would
# write into $WORK while that is being removed.
start_shell() {
  "${TMUX_CMD[@]}" new-session -d -x "${2:-80}" -y "${3:-30}" -c "$1" \
    "env -i PATH=$PATH TERM=xterm-256color HOME=$WORK HISTFILE=/dev/null PS1='\$ ' bash --norc --noprofile"
  "${TMUX_CMD[@]}" set-option -g status off >/dev/null
  wait_for '\$ *$' 10
}

# Types text into the pane (literally), or keys by tmux name with send_key.
type_text() { "${TMUX_CMD[@]}" send-keys -l -- "$1"; }
send_key() { "${TMUX_CMD[@]}" send-keys -- "$@"; }

capture() { "${TMUX_CMD[@]}" capture-pane -p "$@"; }

fail() {
  echo "FAIL: $*" >&2
  echo "---- pane ----" >&2
  capture >&2 || true
  echo "--------------" >&2
  exit 1
}

# Waits up to $2 seconds (default 10) until the pane shows a line matching the
# extended regular expression $1.
wait_for() {
  local pattern=$1 limit=${2:-10} waited=0
  while ! capture | grep -Eq -- "$pattern"; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt $((limit * 10)) ] || fail "timed out waiting for: $pattern"
  done
}

# Waits until file $1 exists (up to $2 seconds).
wait_for_file() {
  local file=$1 limit=${2:-10} waited=0
  while [ ! -s "$file" ]; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt $((limit * 10)) ] || fail "timed out waiting for file $file"
  done
}

# Gives the pane (and its window) a new size: $1 columns by $2 rows.
resize_pane() {
  "${TMUX_CMD[@]}" resize-window -x "$1" -y "$2"
  [ "$(pane_format '#{pane_width}x#{pane_height}')" = "$1x$2" ] || fail "the pane did not take the size $1x$2"
}

# Fills folder $1 with $2 course files whose names are 240 times 'a', a number
# from 1 and '.zul': about 250 bytes each, so that a list shows only their start.
make_long_course_files() {
  local folder=$1 count=$2 stem i
  stem=$(printf 'a%.0s' $(seq 240))
  mkdir -p "$folder"
  for ((i = 1; i <= count; i++)); do : > "$folder/$stem$i.zul"; done
}

pane_format() { "${TMUX_CMD[@]}" display-message -p "$1"; }

# The process that process $1 started (it starts one at a time here).
children_of() {
  local child
  read -r child <"/proc/$1/task/$1/children"
  echo "$child"
}
# The process of a chooser that run_in_pane started under a shell of its own
# (`bash -c '...'`): the pane's shell's grandchild.
chooser_under_own_shell() { children_of "$(children_of "$(pane_format '#{pane_pid}')")"; }

# Runs a command line in the pane's shell and records its exit code in
# $WORK/exit; the screen is cleared first so that nothing of the shell remains.
run_in_pane() {
  rm -f "$WORK/exit"
  type_text "clear; $1; echo \$? > $WORK/exit"
  send_key Enter
}

# The row (from 1) of the pane's last line that starts with the shell's prompt.
prompt_row() { capture | grep -n '^\$\( \|$\)' | tail -1 | cut -d: -f1; }

# The shell's prompt, once it is back, is in the terminal's own colours:
# captured alone, its line starts with the prompt, no colour set before it.
check_prompt_colours() {
  local row line
  wait_for '^\$ ?$' 5
  row=$(prompt_row)
  line=$(capture -e -S $((row - 1)) -E $((row - 1)))
  [[ $line == '$'* ]] || fail "the prompt is not in the terminal's own colours: $(printf %q "$line")"
}

# After the program ended: the terminal is usable again, with echo and
# canonical input on, no mouse tracking left behind and the prompt in the
# terminal's own colours.
check_terminal_restored() {
  wait_for_file "$WORK/exit" 10
  check_prompt_colours
  # Written aside and renamed: stty writes in pieces, and a half-written file
  # would be read as settings that are missing.
  rm -f "$WORK/stty"
  type_text "stty -a > $WORK/stty.part && mv $WORK/stty.part $WORK/stty"
  send_key Enter
  wait_for_file "$WORK/stty" 5
  grep -Eq '(^| )echo( |$)' "$WORK/stty" || fail "echo is off after the program: $(cat "$WORK/stty")"
  grep -Eq '(^| )icanon( |$)' "$WORK/stty" || fail "canonical input is off after the program: $(cat "$WORK/stty")"
  [ "$(pane_format '#{mouse_any_flag}')" = 0 ] || fail "mouse tracking left on"
  [ "$(pane_format '#{cursor_flag}')" = 1 ] || fail "cursor left hidden"
}

# Writes a recording converter to file $1 that logs to file $2 (by default
# $WORK/runs): one line per run, its working directory, then each argument in
# brackets; it checks that no other run is going on, and takes a moment. The
# file is 0755 whatever the umask, as the chooser passes over one beside it or
# in its working directory that others may change.
make_recorder() {
  local log=${2:-$WORK/runs}
  cat > "$1" <<RECORDER
#!/bin/bash
if ! mkdir "$WORK/running" 2>/dev/null; then echo OVERLAP >> "$log"; fi
line="\$PWD"
for arg in "\$@"; do line+=" [\$arg]"; done
echo "\$line" >> "$log"
sleep 0.3
rmdir "$WORK/running"
RECORDER
  chmod 0755 "$1"
}

# Lays out a folder $WORK/bin (0755) holding a copy of the chooser and, unless
# $1 is "none", a recording converter named vizozava beside it (make_recorder).
install_chooser() {
  mkdir -p "$WORK/bin"
  chmod 0755 "$WORK/bin"
  cp "$BIN/zulchooser" "$WORK/bin/zulchooser"
  [ "${1:-}" = none ] && return 0
  make_recorder "$WORK/bin/vizozava"
}

# Clicks the first cell of the first place where the pane shows text $1, as a
# terminal reports it to a program that tracks the mouse (SGR reports). $2 adds
# the modifier bits of the report: 4 Shift, 16 Ctrl.
click_text() {
  local LC_ALL=C.UTF-8
  local text=$1 bits=${2:-0} row column line before
  row=$(capture | grep -nF -- "$text" | head -1 | cut -d: -f1)
  [ -n "$row" ] || fail "nothing to click: $text"
  line=$(capture | sed -n "${row}p")
  before=${line%%"$text"*}
  column=$((${#before} + 1))  # characters, as the frame glyphs are one cell each
  type_text $'\e'"[<${bits};${column};${row}M"$'\e'"[<${bits};${column};${row}m"
}
