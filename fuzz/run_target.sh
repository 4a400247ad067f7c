#!/usr/bin/env bash
# Runs one fuzz target for a bounded time:
#   fuzz/run_target.sh SOURCE_DIR TARGET SECONDS [--scratch]
# The corpus is build/fuzz/corpus/TARGET, seeded from fuzz/seeds/TARGET; with
# --scratch (the short runs of make test) a fresh corpus is used and removed.
# Crashing inputs land in build/fuzz/artifacts/TARGET/. Exit 77 (skipped) when
# the fuzz build is absent.
set -uo pipefail
top=$(cd "${1:?usage: run_target.sh SOURCE_DIR TARGET SECONDS [--scratch]}" && pwd)
target=${2:?target name missing}
seconds=${3:?seconds missing}
bin="$top/build/fuzz/bin/fuzz_$target"
if [ ! -x "$bin" ]; then
  echo "SKIPPED: $bin is not built (make fuzz builds it; make test too, when clang++ with libFuzzer is present)"
  exit 77
fi
seeds="$top/fuzz/seeds/$target"
artifacts="$top/build/fuzz/artifacts/$target"
mkdir -p "$artifacts"
if [ "${4:-}" = --scratch ]; then
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
else
  corpus="$top/build/fuzz/corpus/$target"
  mkdir -p "$corpus"
fi
# libFuzzer's own failure code is 77, which CTest would take for "skipped".
"$bin" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -error_exitcode=1 -timeout_exitcode=1 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds"
