#!/usr/bin/env bash
# The set-up that `make run`, `make test`, CI and the other targets go through before
# they build: finds which Debian packages a build needs are missing and, run as root
# where apt-get exists, installs them; otherwise stops, in one line, naming the
# packages and the command that installs them. Optional packages (the Windows, wine
# and fuzz tests) are installed too where it can; where it cannot, their tests skip
# and say why. The tools of `make coverage` (gcovr) and of `make screenshots` (an X
# server, xterm, xdotool, ImageMagick, wine) are installed for those targets alone.
#   tools/setup.sh build|check|package|test|ci|coverage|screenshots
# Exit 0 when all that is required is present (afterwards), 1 when it is not, with
# nothing built; a failed install is finished by the next run (dpkg --configure -a).
#
# Seams for the tests, each the real thing unless set: ZUL_SETUP_PROBE, a command that
# gets a package and its probe and exits 0 when the package is present; ZUL_APT_GET
# and ZUL_DPKG, the package tools; ZUL_SETUP_UID, the caller's user id; ZUL_SETUP_LOG,
# where the package tools' output goes. ZUL_INSTALL=no only checks, as if not root.
set -uo pipefail

# Each package a build needs: its Debian name, how to tell that it is present
# (command NAME, file PATH, or glob PATTERN that some file matches), and the set-ups
# that need it; set-up? means optional there.
readonly NEEDS='
cmake                command cmake                         build check package test ci coverage screenshots
g++                  command g++                           build check package test ci coverage screenshots
make                 command make                          build check package test ci coverage screenshots
file                 command file                          package test ci
dpkg-dev             command dpkg-shlibdeps                package test ci
libgtest-dev         file /usr/include/gtest/gtest.h       check test ci coverage
libgmock-dev         file /usr/include/gmock/gmock.h       check test ci coverage
tmux                 command tmux                          test ci coverage screenshots
groff-base           command groff                         test ci coverage
man-db               command man                           test ci coverage
g++-mingw-w64-x86-64 command x86_64-w64-mingw32-g++-posix  test? ci screenshots
wine                 command wine                          test? ci screenshots
wine64               file /usr/lib/wine/wine64             test? ci screenshots
clang                command clang++                       test? ci?
libclang-rt-dev      glob /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a test? ci?
clang-tidy           command clang-tidy                    ci
clang-format         command clang-format                  ci
gcovr                command gcovr                         coverage
xvfb                 command Xvfb                          screenshots
xterm                command xterm                         screenshots
xdotool              command xdotool                       screenshots
imagemagick          command import                        screenshots
fonts-dejavu-core    file /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf screenshots
'

setup=${1:-}
case $setup in
  build) purpose="building zulchooser" ;;
  check | package | test | coverage | screenshots) purpose="make $setup" ;;
  ci) purpose=".ci/run" ;;
  *)
    echo "usage: tools/setup.sh build|check|package|test|ci|coverage|screenshots" >&2
    exit 2
    ;;
esac
apt_get=${ZUL_APT_GET:-apt-get}
dpkg=${ZUL_DPKG:-dpkg}
log=${ZUL_SETUP_LOG:-$(cd "$(dirname "$0")/.." && pwd)/build/setup.log}

# present PACKAGE KIND WHAT: exit 0 when the package's probe finds it.
present() {
  if [ -n "${ZUL_SETUP_PROBE:-}" ]; then
    "$ZUL_SETUP_PROBE" "$@"
    return
  fi
  case $2 in
    command) command -v "$3" >/dev/null ;;
    file) [ -e "$3" ] ;;
    glob) compgen -G "$3" >/dev/null ;;
  esac
}

# Sets `required` and `optional` to the packages of this set-up that are missing.
find_missing() {
  required=() optional=()
  local package kind what sets
  while read -r package kind what sets; do
    [ -n "$package" ] || continue
    case " $sets " in
      *" $setup "*) present "$package" "$kind" "$what" || required+=("$package") ;;
      *" $setup? "*) present "$package" "$kind" "$what" || optional+=("$package") ;;
    esac
  done <<<"$NEEDS"
}

# Ends the set-up: one line on standard error and exit 1.
stop() {
  echo "zulchooser set-up: $*" >&2
  exit 1
}

find_missing
[ ${#required[@]} -gt 0 ] || [ ${#optional[@]} -gt 0 ] || exit 0
wanted=("${required[@]}" "${optional[@]}")

# 1. Where it cannot install: name what is missing and how to install it; stop only
#    when something required is missing.
why= how="As root: apt-get install"
if [ "${ZUL_INSTALL:-}" = no ]; then
  why="installing is off (ZUL_INSTALL=no)"
elif ! command -v "$apt_get" >/dev/null; then
  why="this system has no $apt_get" how="Install these Debian packages with its package manager:"
elif [ "${ZUL_SETUP_UID:-$(id -u)}" != 0 ]; then
  why="not root"
fi
if [ -n "$why" ]; then
  if [ ${#required[@]} -gt 0 ]; then
    extra=
    [ ${#optional[@]} -eq 0 ] || extra=" (optional, for tests that otherwise skip: ${optional[*]})"
    stop "$purpose needs ${required[*]}$extra; $why. $how ${wanted[*]}"
  fi
  echo "zulchooser set-up: optional for $purpose, missing: ${optional[*]}; their tests skip ($why). $how ${optional[*]}"
  exit 0
fi

# 2. As root with apt-get: finish what an earlier install left half done, fetch the
#    archive's lists, install, and check that each probe now finds its package.
mkdir -p "$(dirname "$log")"
: >"$log"
echo "zulchooser set-up: installing for $purpose: ${wanted[*]} (apt-get's output: $log)"
export DEBIAN_FRONTEND=noninteractive
"$dpkg" --configure -a >>"$log" 2>&1 </dev/null ||
  stop "dpkg could not finish an earlier install (dpkg --configure -a failed; see $log)"
"$apt_get" update --error-on=any >>"$log" 2>&1 </dev/null ||
  stop "could not reach the package archive (apt-get update failed; see $log); nothing was installed"
"$apt_get" install -y "${wanted[@]}" >>"$log" 2>&1 </dev/null ||
  stop "could not install ${wanted[*]} (apt-get install failed; see $log)"
find_missing
still=("${required[@]}" "${optional[@]}")
[ ${#still[@]} -eq 0 ] || stop "installed, yet still missing: ${still[*]} (see $log)"
exit 0
