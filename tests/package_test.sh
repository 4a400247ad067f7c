#!/usr/bin/env bash
# What `make package` made, looked into: the archive of one platform holds the
# chooser and its README and nothing else, and no stand-in converter named like
# the real one outside a demo/ folder. The Linux one's chooser runs from the
# unpacked archive, and an install of the release build over a folder that holds
# a converter already leaves that converter as it was.
#   tests/package_test.sh SOURCE_DIR linux|windows
# Exit 77 (skipped, and says why) when the archive has not been made.
set -euo pipefail
top=$(cd "${1:?usage: package_test.sh SOURCE_DIR linux|windows}" && pwd)
platform=${2:?platform missing}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

case $platform in
  linux)
    pattern='zulchooser-*-Linux.tar.gz'
    expected=$'bin/zulchooser\nshare/doc/zulchooser/README.md'
    ;;
  windows)
    pattern='zulchooser-*-win64.zip'
    expected=$'README.md\nzulchooser.exe'
    ;;
  *) fail "unknown platform $platform" ;;
esac
archive=$(find "$top/build/packages" -maxdepth 1 -name "$pattern" 2>/dev/null | head -1)
if [ -z "$archive" ]; then
  echo "SKIPPED: no $pattern in $top/build/packages (make package makes it, and make test;" \
    "the Windows zip only with mingw-w64 present)"
  exit 77
fi

# The files of the archive, without the folder named after it that holds them all.
files=$(cmake -E tar tf "$archive" | grep -v '/$' | cut -d/ -f2- | LC_ALL=C sort)
if grep -E '(^|/)vizozava[^/]*$' <<<"$files" | grep -vE '(^|/)demo/'; then
  fail "$archive holds a converter outside demo/"
fi
[ "$files" = "$expected" ] || fail "$archive holds:
$files
expected:
$expected"

[ "$platform" = linux ] || { echo "package $platform: ok"; exit 0; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -E chdir "$scratch" cmake -E tar xf "$archive"
chooser=$(find "$scratch" -path '*/bin/zulchooser')
[ -x "$chooser" ] || fail "the chooser in $archive is not executable"
# Without a terminal and with no input both dialogs are cancelled: a whole run.
(cd "$scratch" && "$chooser" </dev/null >/dev/null 2>&1) || fail "the unpacked chooser did not end with exit code 0"

prefix="$scratch/prefix"
mkdir -p "$prefix/bin"
printf '#!/bin/sh\necho the real converter\n' >"$prefix/bin/vizozava"
cp "$prefix/bin/vizozava" "$scratch/converter"
cmake --install "$top/build/release" --prefix "$prefix" >/dev/null
cmp -s "$prefix/bin/vizozava" "$scratch/converter" || fail "the install changed the converter in bin/"
installed=$(cd "$prefix" && find . -type f | cut -c3- | LC_ALL=C sort)
[ "$installed" = $'bin/vizozava\nbin/zulchooser\nshare/doc/zulchooser/README.md' ] || fail "the install put:
$installed"
echo "package $platform: ok"
