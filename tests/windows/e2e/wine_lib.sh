# Helpers for the Windows end-to-end tests: the chooser cross-built for Windows runs
# under wine in a private tmux server, with the recording converter copied beside it
# as vizozava.exe. Built on the helpers of the Linux end-to-end tests. A test is
# skipped (exit 77, and says why) when wine, mingw-w64 or the programs are absent.
set -euo pipefail

TOP=${1:?usage: test.sh SOURCE_DIR}
TOP=$(cd "$TOP" && pwd)
WINDOWS_BIN="$TOP/build/windows-tests/bin"

skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v wine >/dev/null || skip "wine is absent"
command -v x86_64-w64-mingw32-g++-posix >/dev/null || skip "mingw-w64 is absent"
command -v tmux >/dev/null || skip "tmux is absent"
for program in zulchooser.exe zul_recording_converter.exe; do
  [ -f "$WINDOWS_BIN/$program" ] ||
    skip "$WINDOWS_BIN/$program is not built (make test builds it when mingw-w64 and wine are present)"
done

# shellcheck source=../../e2e/lib.sh
source "$TOP/tests/e2e/lib.sh" "$WINDOWS_BIN"

# Wine's environment: the prefix kept in the build folder, no debug output, no
# desktop menu entries (so wine writes nothing into the home folder), and a UTF-8
# locale, without which wine shows every character outside ASCII (the frames,
# say) as "?".
WORK=$(cd "$WORK" && pwd -P)
WINE_ENV=(WINEPREFIX="$TOP/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8)
# The chooser's own folder, holding the recorder under the converter's name, and
# the folder it is started from.
APP="$WORK/app"
START="$WORK/start"
RUN_LOG="$APP/recorded_runs.log"
mkdir -p "$APP" "$START"
cp "$WINDOWS_BIN/zulchooser.exe" "$APP/zulchooser.exe"
cp "$WINDOWS_BIN/zul_recording_converter.exe" "$APP/vizozava.exe"

# The name wine gives a Unix path: drive Z: is the root, backslashes separate.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# An extended regular expression that matches text $1 literally.
literally() { printf '%s' "$1" | sed 's/[][\\.^$*+?(){}|]/\\&/g'; }

# Creates the wine prefix when there is none yet, outside the pane, so that the
# first start of wine (which takes a while) has a time limit of its own. Wine's
# server writes the registry only when it ends, so that is waited for too.
prepare_wine_prefix() {
  [ -f "$TOP/build/wineprefix/system.reg" ] && return 0
  local started=$SECONDS
  echo "creating the wine prefix $TOP/build/wineprefix"
  env "${WINE_ENV[@]}" timeout 180 wine wineboot --init >/dev/null 2>&1 || fail "wine could not create its prefix"
  env "${WINE_ENV[@]}" timeout 60 wineserver --wait || fail "wine's server did not end"
  echo "wine prefix created in $((SECONDS - started)) s"
}

# Starts the Windows chooser under wine from folder $START in a fresh pane and
# waits until it asks for the course directory. Its exit code lands in $WORK/exit.
start_chooser() {
  prepare_wine_prefix
  start_shell "$START"
  local started=$SECONDS
  run_in_pane "env $(printf '%q ' "${WINE_ENV[@]}")wine $(printf %q "$APP/zulchooser.exe")"
  wait_for 'Change default directory for \.ZUL course files\?' 120
  echo "chooser asked for the directory $((SECONDS - started)) s after wine started"
}

# Waits until the chooser has ended and checks that its exit code was 0. The
# terminal's modes are not checked afterwards, as the Linux tests do: they are
# wine's, and its console host puts them back only a moment after the program's
# exit code is known.
expect_exit_code_zero() {
  wait_for_file "$WORK/exit" 30
  [ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit"), expected 0"
}

# Checks that the converter ran exactly as the lines given, in this order, each line
# "working directory|command line", and never two runs at once.
expect_runs() {
  local expected=""
  [ $# -eq 0 ] || expected=$(printf '%s\n' "$@")
  local recorded=""
  [ ! -f "$RUN_LOG" ] || recorded=$(cat "$RUN_LOG")
  if [ "$recorded" != "$expected" ]; then
    echo "---- expected runs ----" >&2
    printf '%s\n' "$expected" >&2
    echo "---- recorded runs ----" >&2
    printf '%s\n' "$recorded" >&2
    fail "the converter runs differ from those expected"
  fi
}
