#!/usr/bin/env bash
# Runs, under ThreadSanitizer, the unit tests that drive the input box's look-up
# thread (FolderLookUps) and the folder source it calls there:
#   tests/tsan_look_ups.sh TSAN_BIN_DIR [GoogleTest options, e.g. --gtest_repeat=20]
# The program is TSAN_BIN_DIR/zul_tests, built by the tsan preset (make tsan builds
# it; make test too). Exit 77 (skipped) when it is not built; otherwise non-zero
# when a test fails or ThreadSanitizer reports anything (a data race, locks taken
# in two orders). Where the kernel lays out memory more randomly than
# ThreadSanitizer allows ("unexpected memory mapping"), the tests run with that
# randomisation turned off for them alone (setarch -R).
set -uo pipefail
bin="${1:?usage: tsan_look_ups.sh TSAN_BIN_DIR [GoogleTest options]}/zul_tests"
shift
if [ ! -x "$bin" ]; then
  echo "SKIPPED: $bin is not built (make tsan builds it; make test too, when the compiler can link -fsanitize=thread)"
  exit 77
fi

# The suites whose tests start the look-up thread (InputBoxFolders, DialogLegibility's
# note), or run what that thread runs: the completions and the file system's folder
# source (FolderCompletions, FolderSourceOnDisk).
readonly THREADED='InputBoxFolders.*:FolderCompletions.*:FolderSourceOnDisk.*:DialogLegibility.*'

# The first report stops the run; options the caller sets in TSAN_OPTIONS win.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"

run=("$bin")
listed=$("$bin" --gtest_list_tests 2>&1 </dev/null)
if [[ $listed == *"unexpected memory mapping"* ]]; then
  echo "ThreadSanitizer cannot map its memory with this kernel's randomisation: running under setarch -R"
  run=(setarch "$(uname -m)" -R "$bin")
fi
"${run[@]}" --gtest_filter="$THREADED" --gtest_brief=1 "$@" </dev/null
