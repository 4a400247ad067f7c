#!/usr/bin/env bash
# Runs the Windows console driver (console_driver.cpp) under wine in a private tmux server of
# 80 x 30, since wine needs a terminal for the console that the driver shares with the chooser,
# and prints its report. Extra arguments name the scenarios to run (all when none).
#   run_console_driver.sh WINDOWS_BIN_DIR WINEPREFIX [SCENARIO...]
# Exit 77 (skipped) when mingw-w64, wine, tmux or the cross-built programs are absent.
set -uo pipefail
bin=${1:?usage: run_console_driver.sh WINDOWS_BIN_DIR WINEPREFIX [SCENARIO...]}
prefix=${2:?wine prefix missing}
shift 2

skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v wine >/dev/null || skip "wine is absent"
command -v x86_64-w64-mingw32-g++-posix >/dev/null || skip "mingw-w64 is absent"
command -v tmux >/dev/null || skip "tmux is absent"
for program in zulchooser.exe zul_recording_converter.exe zul_console_driver.exe; do
  [ -f "$bin/$program" ] || skip "$bin/$program is not built (make test builds it when mingw-w64 and wine are present)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zul-driver.XXXXXX")
work=$(cd "$work" && pwd -P)
tmux_cmd=(tmux -L "zul-driver-$$-$RANDOM" -f /dev/null)
cleanup() {
  "${tmux_cmd[@]}" kill-server >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

# Wine's environment: the prefix given, no debug output, no desktop menu
# entries, and a UTF-8 locale, without which wine shows characters outside ASCII as "?".
wine_env=(WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8)
# The first start of wine creates its prefix, which takes a while: it gets a time limit of its
# own, and wine's server, which writes the registry when it ends, is waited for.
if [ ! -f "$prefix/system.reg" ]; then
  echo "creating the wine prefix $prefix"
  env "${wine_env[@]}" timeout 180 wine wineboot --init >/dev/null 2>&1 || { echo "FAIL: no wine prefix"; exit 1; }
  env "${wine_env[@]}" timeout 60 wineserver --wait
fi

# The name wine gives a Unix path: drive Z: is the root, backslashes separate.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

started=$SECONDS
command="env $(printf '%q ' "${wine_env[@]}")wine $(printf '%q ' "$bin/zul_console_driver.exe" \
  "$(windows_path "$work")" "$(windows_path "$work/report.txt")" "$@"); echo \$? > $(printf %q "$work/exit")"
"${tmux_cmd[@]}" new-session -d -x 80 -y 30 "$command"
until [ -s "$work/exit" ]; do
  if [ $((SECONDS - started)) -gt 500 ]; then
    echo "FAIL: the driver did not end; its console shows:"
    "${tmux_cmd[@]}" capture-pane -p
    cat "$work/report.txt" 2>/dev/null
    exit 1
  fi
  sleep 0.2
done
cat "$work/report.txt" 2>/dev/null || echo "FAIL: the driver wrote no report"
echo "the driver took $((SECONDS - started)) s and ended with $(cat "$work/exit")"
[ "$(cat "$work/exit")" = 0 ]
