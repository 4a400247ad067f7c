#!/usr/bin/env bash
# Runs one fuzz target for a bounded time:
#   fuzz/run_target.sh FUZZ_BUILD_DIR TARGET SECONDS [--scratch]
# The program is FUZZ_BUILD_DIR/bin/fuzz_TARGET; its corpus is
# FUZZ_BUILD_DIR/corpus/TARGET, seeded from fuzz/seeds/TARGET beside this script; with
# --scratch (the short runs of make test) a fresh corpus is used and removed.
# Crashing inputs land in FUZZ_BUILD_DIR/artifacts/TARGET/. Exit 77 (skipped) when
# the program is not built.
set -uo pipefail
build=${1:?usage: run_target.sh FUZZ_BUILD_DIR TARGET SECONDS [--scratch]}
target=${2:?target name missing}
seconds=${3:?seconds missing}
bin="$build/bin/fuzz_$target"
if [ ! -x "$bin" ]; then
  echo "SKIPPED: $bin is not built (make fuzz builds it; make test too, when clang++ with libFuzzer is present)"
  exit 77
fi
seeds="$(cd "$(dirname "$0")" && pwd)/seeds/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$artifacts"
if [ "${4:-}" = --scratch ]; then
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
else
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
fi
# libFuzzer's own failure code is 77, which CTest would take for "skipped".
"$bin" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -error_exitcode=1 -timeout_exitcode=1 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds"
