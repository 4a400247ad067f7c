#!/usr/bin/env bash
# Under wine: Ctrl+C cancels the input box and the list box as Esc does. Wine
# turns the terminal's Ctrl+C into an interrupt rather than a key; the chooser
# must take it as the key, keep running, never run the converter, and end with
# exit code 0.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/wine_lib.sh"

printf 'course\n' >"$START/ONE.ZUL"
start_chooser
send_key C-c
wait_for "║ $(literally "$(windows_path "$START")") +║" 30
wait_for 'ONE\.ZUL' 10
send_key C-c
expect_exit_code_zero
expect_runs
echo "PASS"
