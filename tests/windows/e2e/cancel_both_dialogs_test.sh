#!/usr/bin/env bash
# Under wine: Esc in the input box keeps the start-up folder, Esc in the list box
# (with a name highlighted there) cancels; the converter never runs and the
# chooser ends with exit code 0.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/wine_lib.sh"

printf 'course\n' >"$START/ONE.ZUL"
start_chooser
send_key Escape
wait_for "║ $(literally "$(windows_path "$START")") +║" 30
wait_for 'ONE\.ZUL' 10
send_key Escape
expect_exit_code_zero
expect_runs
echo "PASS"
