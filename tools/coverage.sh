#!/usr/bin/env bash
# The second half of `make coverage`: runs the unit and end-to-end tests of the coverage
# build (gcc's --coverage) from zero counts, then says how much of the program's code
# they ran: lines and branches per folder of the program, the files that miss the most,
# and gcovr's own summary lines last; the HTML report goes to build/coverage/report/.
#   tools/coverage.sh [JOBS]     (after the coverage preset's build, in build/coverage)
# Exit 1 when a test fails (its output is shown, and no report is made).
set -uo pipefail
cd "$(dirname "$0")/.."
build=build/coverage
jobs=${1:-2}
report=$build/report

# The program is every top folder that holds code, but these, which hold what is
# built beside it (tests, benchmark, fuzz targets, the stand-in converter). A new
# folder of the program is counted without a word here.
not_program='tests|bench|fuzz|tools|build'

# 1. The tests, each run adding to the counts of a clean start. A process ended by a
#    signal writes no counts, so what runs only on the way to such an end shows as not run.
find "$build" -name '*.gcda' -delete
if ! log=$(ctest --preset coverage -j "$jobs" 2>&1); then
  printf '%s\n' "$log"
  echo "make coverage: a test failed; no report made" >&2
  exit 1
fi
grep -E '^[0-9]+% tests passed' <<<"$log"

# 2. gcovr reads the counts of the program's files (the Windows-only files are not
#    built here), branches without those only exceptions or unreachable code take.
rm -rf "$report" && mkdir -p "$report"
summary=$(gcovr --root . "$build" -j "$jobs" \
  --exclude "($not_program)/" --exclude '.*_win32\.cpp$' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json-summary "$report/summary.json" --html-details "$report/index.html" \
  --html-title "zulchooser: what the tests run" -s) || exit 1

# 3. gcovr gives each file; add them up by folder.
python3 - "$report/summary.json" <<'EOF'
import json, sys
from collections import defaultdict

files = json.load(open(sys.argv[1]))["files"]
keys = ("line_covered", "line_total", "branch_covered", "branch_total")
folders = defaultdict(lambda: [0, 0, 0, 0])
for f in files:
    counts = folders[f["filename"].split("/")[0]]
    for i, key in enumerate(keys):
        counts[i] += f[key]
folders = sorted(folders.items()) + [("all", [sum(c[i] for c in folders.values()) for i in range(4)])]

def share(covered, total):
    percent = f"{100 * covered / total:.1f}%" if total else "-"
    return f"{percent:>7} {covered:>6} of {total:<6}"

print(f"\n{'':14}{'lines':>7}{'':17}{'branches':>8}")
for name, (lc, lt, bc, bt) in folders:
    print(f"{name:14}{share(lc, lt)}{share(bc, bt)}".rstrip())

def missed(f):
    return f["line_total"] - f["line_covered"], f["branch_total"] - f["branch_covered"]

print(f"\nThe files that miss the most:{'lines':>22}{'branches':>10}")
for f in sorted(files, key=lambda f: -sum(missed(f)))[:10]:
    print(f"  {f['filename']:43}{missed(f)[0]:>6}{missed(f)[1]:>10}")
EOF
echo
echo "Report: $report/index.html"
printf '%s\n' "$summary"
