#!/usr/bin/env bash
# Runs the cross-built Windows unit tests under wine:
#   run_unit_tests.sh WINDOWS_BIN_DIR WINEPREFIX
# Exit 77 (skipped) when mingw-w64 or wine is absent, or the tests are not built.
set -uo pipefail
exe="${1:?usage: run_unit_tests.sh WINDOWS_BIN_DIR WINEPREFIX}/zul_tests.exe"
prefix=${2:?wine prefix missing}
if ! command -v wine >/dev/null || ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "SKIPPED: Windows unit tests need mingw-w64 and wine"
  exit 77
fi
if [ ! -x "$exe" ]; then
  echo "SKIPPED: $exe is not built (make test builds it when mingw-w64 and wine are present)"
  exit 77
fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
cd "$(dirname "$exe")" && wine "$exe" --gtest_brief=1 </dev/null
