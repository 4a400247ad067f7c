#!/usr/bin/env bash
# The set-up script, one case a row: what is missing and who runs it, against what it
# prints, how it exits and what it asked of the package tools. A recording stand-in
# takes the place of apt-get and dpkg, and a list of "installed" packages the place
# of the probes.   tests/setup_test.sh SOURCE_DIR
set -uo pipefail
source_dir=${1:?usage: setup_test.sh SOURCE_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The stand-ins. apt-get's behaviour comes from $scratch/mode: ok installs what it is
# given, offline fails the update, broken fails the install, hollow "installs" nothing.
cat >"$scratch/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/calls"
mode=$(cat "$STATE/mode")
case $1 in
  update) [ "$mode" != offline ] || exit 100 ;;
  install)
    [ "$mode" != broken ] || exit 100
    [ "$mode" = hollow ] || for arg in "${@:2}"; do [[ $arg == -* ]] || echo "$arg" >>"$STATE/installed"; done ;;
esac
EOF
cat >"$scratch/dpkg" <<'EOF'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STATE/calls"
EOF
cat >"$scratch/probe" <<'EOF'
#!/usr/bin/env bash
grep -qx -- "$1" "$STATE/installed"
EOF
chmod +x "$scratch/apt-get" "$scratch/dpkg" "$scratch/probe"
all=$(sed -n "/^readonly NEEDS='/,/^'/p" "$source_dir/tools/setup.sh" | awk 'NF > 2 { print $1 }')
[ "$(wc -l <<<"$all")" -ge 10 ] || { echo "FAIL: the set-up script's package table was not found"; exit 1; }

# name | set-up | missing | uid | apt-get | exit | output, both streams (extended regex; ^$ = none) |
# the package tools' calls, ; between
read -r -d '' cases <<'EOF'
nothing missing        | test    |                         | 0    | ok      | 0 | ^$ |
not root, required     | test    | tmux                    | 1000 | ok      | 1 | ^zulchooser set-up: make test needs tmux; not root\. As root: apt-get install tmux$ |
not root, both kinds   | test    | libgtest-dev wine       | 1000 | ok      | 1 | needs libgtest-dev \(optional, for tests that otherwise skip: wine\);.*apt-get install libgtest-dev wine$ |
not root, optional     | test    | wine wine64             | 1000 | ok      | 0 | optional for make test, missing: wine wine64; their tests skip.*apt-get install wine wine64$ |
root installs all      | test    | tmux clang              | 0    | ok      | 0 | ^zulchooser set-up: installing for make test: tmux clang | dpkg --configure -a;apt-get update --error-on=any;apt-get install -y tmux clang
build needs no tests   | build   | tmux libgtest-dev wine  | 1000 | ok      | 0 | ^$ |
check needs gtest      | check   | libgmock-dev            | 1000 | ok      | 1 | make check needs libgmock-dev; |
package needs shlibdeps| package | dpkg-dev file           | 1000 | ok      | 1 | make package needs file dpkg-dev; |
ci needs wine          | ci      | wine64                  | 1000 | ok      | 1 | \.ci/run needs wine64; |
coverage needs gcovr   | coverage | gcovr tmux             | 1000 | ok      | 1 | make coverage needs tmux gcovr; |
screenshots need wine  | screenshots | wine xvfb           | 1000 | ok      | 1 | make screenshots needs wine xvfb; |
test needs neither     | test    | gcovr xvfb imagemagick  | 1000 | ok      | 0 | ^$ |
no apt-get             | check   | libgtest-dev            | 0    | none    | 1 | this system has no .*package manager: libgtest-dev$ |
installing off         | test    | tmux                    | 0    | ok      | 1 | installing is off |
no network             | test    | tmux                    | 0    | offline | 1 | could not reach the package archive.*nothing was installed | dpkg --configure -a;apt-get update --error-on=any
install fails          | test    | man-db                  | 0    | broken  | 1 | could not install man-db \(apt-get install failed | dpkg --configure -a;apt-get update --error-on=any;apt-get install -y man-db
installed yet missing  | build   | cmake                   | 0    | hollow  | 1 | installed, yet still missing: cmake | dpkg --configure -a;apt-get update --error-on=any;apt-get install -y cmake
EOF

# Strips the blanks around a column of the table.
trim() {
  local text=${1#"${1%%[![:space:]]*}"}
  echo "${text%"${text##*[![:space:]]}"}"
}

failures=0
while IFS='|' read -r name setup missing uid apt expected_exit expected_output expected_calls; do
  name=$(trim "$name") setup=$(trim "$setup") missing=$(trim "$missing") uid=$(trim "$uid") apt=$(trim "$apt")
  expected_exit=$(trim "$expected_exit") expected_output=$(trim "$expected_output")
  expected_calls=$(trim "$expected_calls")
  state=$(mktemp -d "$scratch/case.XXXXXX")
  : >"$state/calls"
  echo "$apt" >"$state/mode"
  tr ' ' '\n' <<<"$missing" >"$state/missing"
  grep -vxF -f "$state/missing" <<<"$all" >"$state/installed"
  apt_get="$scratch/apt-get" install=
  [ "$apt" != none ] || apt_get="$scratch/no-such-apt-get"
  [ "$name" != "installing off" ] || install=no
  output=$(STATE=$state ZUL_SETUP_PROBE="$scratch/probe" ZUL_APT_GET=$apt_get ZUL_DPKG="$scratch/dpkg" \
    ZUL_SETUP_UID=$uid ZUL_INSTALL=$install ZUL_SETUP_LOG="$state/log" \
    bash "$source_dir/tools/setup.sh" "$setup" 2>"$state/errors" </dev/null)
  status=$?
  errors=$(cat "$state/errors")
  output+=${output:+$'\n'}$errors
  calls=$(paste -sd';' "$state/calls")
  problem=
  [ "$status" = "$expected_exit" ] || problem+=" exit $status, not $expected_exit;"
  [ "$(wc -l <<<"$errors")" -le 1 ] || problem+=" more than one line on standard error;"
  [ "$status" = 0 ] || [ -n "$errors" ] || problem+=" failed without a word on standard error;"
  grep -qE -- "$expected_output" <<<"$output" || problem+=" output does not match /$expected_output/;"
  [ "$calls" = "$expected_calls" ] || problem+=" package tools got [$calls], not [$expected_calls];"
  if [ -n "$problem" ]; then
    echo "FAIL: $name:$problem"
    echo "    output: $output"
    failures=$((failures + 1))
  fi
done <<<"$cases"
[ "$failures" -eq 0 ] || exit 1
echo "Every set-up case behaves."
