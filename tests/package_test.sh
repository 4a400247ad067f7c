#!/usr/bin/env bash
# The archive `make package` made for one platform holds the chooser and its README,
# nothing else, and so no converter outside demo/. For Linux also: the unpacked
# chooser runs, and an install over a prefix that holds a converter leaves it as it was.
#   tests/package_test.sh PACKAGES_DIR RELEASE_BUILD_DIR linux|windows
# Exit 77 (skipped, and says why) when the archive has not been made.
set -euo pipefail
packages=${1:?usage: package_test.sh PACKAGES_DIR RELEASE_BUILD_DIR linux|windows}
release=${2:?release build folder missing}
platform=${3:-}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
case $platform in
  linux) pattern='*-Linux.tar.gz' expected=$'bin/zulchooser\nshare/doc/zulchooser/README.md' ;;
  windows) pattern='*-win64.zip' expected=$'README.md\nzulchooser.exe' ;;
  *) fail "platform missing" ;;
esac
archive=$(find "$packages" -maxdepth 1 -name "zulchooser-$pattern" 2>/dev/null | head -1 || true)
[ -n "$archive" ] || { echo "SKIPPED: no zulchooser-$pattern in $packages (make package makes it," \
  "the Windows zip only with mingw-w64 present)"; exit 77; }

# The files, without the folder named after the archive that holds them all.
files=$(cmake -E tar tf "$archive" | grep -v '/$' | cut -d/ -f2- | LC_ALL=C sort)
! grep -E '(^|/)vizozava[^/]*$' <<<"$files" | grep -vE '(^|/)demo/' || fail "$archive holds a converter outside demo/"
[ "$files" = "$expected" ] || fail "$archive holds:"$'\n'"$files"
[ "$platform" = linux ] || exit 0

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -E chdir "$scratch" cmake -E tar xf "$archive"
# No terminal and no input: both dialogs are cancelled, a whole run.
(cd "$scratch" && "$scratch"/*/bin/zulchooser </dev/null >/dev/null 2>&1) || fail "the unpacked chooser failed"
mkdir -p "$scratch/prefix/bin"
echo 'the real converter' >"$scratch/prefix/bin/vizozava"
cmake --install "$release" --prefix "$scratch/prefix" >/dev/null
[ "$(cat "$scratch/prefix/bin/vizozava")" = 'the real converter' ] || fail "the install changed bin/vizozava"
installed=$(cd "$scratch/prefix" && find . -type f | cut -c3- | LC_ALL=C sort)
[ "$installed" = $'bin/vizozava\n'"$expected" ] || fail "the install put:"$'\n'"$installed"
