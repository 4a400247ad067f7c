#!/usr/bin/env bash
# What `make package` made for one platform holds the chooser and its documents (the
# README with the pictures it shows), nothing else, and so no converter outside demo/,
# under the project's version.
#   linux: the tar.gz unpacked runs, and an install over a prefix that holds a
#     converter leaves it as it was;
#   deb: the Debian package's fields and files; unpacked into a scratch root the
#     chooser runs and man finds and renders the manual without warnings; installed
#     into and removed from a scratch dpkg root it leaves nothing behind; lintian,
#     where present, finds no error;
#   windows: the zip's files.
#   tests/package_test.sh PACKAGES_DIR RELEASE_BUILD_DIR linux|deb|windows VERSION
# Exit 77 (skipped, and says why) when the package has not been made.
set -euo pipefail
packages=${1:?usage: package_test.sh PACKAGES_DIR RELEASE_BUILD_DIR linux|deb|windows VERSION}
release=${2:?release build folder missing}
platform=${3:-}
version=${4:?version missing}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# The pictures the README shows, which go beside it under docs/.
pictures=$(grep -oE '\]\(docs/[^)]+\.png\)' "$(dirname "$0")/../README.md" | sed -E 's/^\]\(//; s/\)$//' | sort -u)
[ -n "$pictures" ] || fail "the README shows no picture"
linux_files=$'bin/zulchooser\nshare/doc/zulchooser/README.md\nshare/doc/zulchooser/changelog.gz
share/doc/zulchooser/copyright\nshare/man/man1/zulchooser.1.gz\n'$(sed 's|^|share/doc/zulchooser/|' <<<"$pictures")
case $platform in
  linux) pattern='zulchooser-*-Linux.tar.gz' expected=$linux_files ;;
  deb) pattern='zulchooser_*_amd64.deb' expected=$(sed 's|^|usr/|' <<<"$linux_files") ;;
  windows) pattern='zulchooser-*-win64.zip' expected=$'README.md\nzulchooser.exe\n'$pictures ;;
  *) fail "platform missing" ;;
esac
expected=$(LC_ALL=C sort <<<"$expected")
name=${pattern/\*/$version}
package=$(cd "$packages" 2>/dev/null && pwd || echo "$packages")/$name
if [ ! -f "$package" ]; then
  others=$(find "$packages" -maxdepth 1 -name "$pattern" -printf '%f ' 2>/dev/null || true)
  [ -z "$others" ] || fail "no $name but $others: each package carries the project's version"
  echo "SKIPPED: no $name in $packages (make package makes it, the Windows zip only with mingw-w64 present)"
  exit 77
fi

# The files, without the folder named after the archive that holds them all.
if [ "$platform" = deb ]; then
  listing=$(dpkg-deb -c "$package")
  files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sed 's|^\./||' | LC_ALL=C sort)
  ! awk '{ print $2 }' <<<"$listing" | grep -v '^root/root$' || fail "$name holds files not owned by root"
else
  files=$(cmake -E tar tf "$package" | grep -v '/$' | cut -d/ -f2- | LC_ALL=C sort)
fi
! grep -E '(^|/)vizozava[^/]*$' <<<"$files" | grep -vE '(^|/)demo/' || fail "$name holds a converter outside demo/"
[ "$files" = "$expected" ] || fail "$name holds:"$'\n'"$files"
[ "$platform" != windows ] || exit 0

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ "$platform" = deb ]; then
  # The control fields: the dependencies come from the binary (dpkg-shlibdeps), as
  # nothing in the build names them.
  field() { dpkg-deb -f "$package" "$1"; }
  [ "$(field Package) $(field Version) $(field Architecture)" = "zulchooser $version amd64" ] ||
    fail "$name says it is $(field Package) $(field Version) $(field Architecture)"
  [[ $(field Depends) == *"libc6 (>= "*"libstdc++6 (>= "* ]] || fail "$name depends on: $(field Depends)"
  [[ $(field Maintainer) == *"<"*"@"*">" ]] || fail "$name's maintainer: $(field Maintainer)"
  description=$(field Description)
  [ "$(wc -l <<<"$description")" -ge 3 ] && grep -q '^ .*vizozava' <<<"$description" ||
    fail "$name's description, a summary and what the program does, is:"$'\n'"$description"

  # Unpacked: the chooser runs, and man finds the manual and renders it without a warning.
  root=$scratch/root
  dpkg -x "$package" "$root"
  (cd "$scratch" && "$root/usr/bin/zulchooser" </dev/null >/dev/null 2>&1) || fail "the unpacked chooser failed"
  [ "$(man -M "$root/usr/share/man" -w zulchooser)" = "$root/usr/share/man/man1/zulchooser.1.gz" ] ||
    fail "man does not find the unpacked manual"
  page=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/zulchooser.1.gz" 2>&1)
  grep -q 'zulchooser - choose course files' <<<"$page" || fail "man -l shows:"$'\n'"$page"
  warnings=$(zcat "$root/usr/share/man/man1/zulchooser.1.gz" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "the manual renders with warnings:"$'\n'"$warnings"

  # Installed into a scratch dpkg root, whose database lacks the libraries, and removed.
  database=$scratch/dpkg-root/var/lib/dpkg
  mkdir -p "$database/info" "$database/updates"
  : >"$database/status"
  dpkg --root="$scratch/dpkg-root" --log=/dev/null --force-depends --force-not-root -i "$package" >/dev/null 2>&1 ||
    fail "dpkg -i failed"
  [ -x "$scratch/dpkg-root/usr/bin/zulchooser" ] || fail "dpkg -i did not install usr/bin/zulchooser"
  dpkg --root="$scratch/dpkg-root" --log=/dev/null --force-not-root -r zulchooser >/dev/null || fail "dpkg -r failed"
  left=$(cd "$scratch/dpkg-root" && find . -path ./var/lib/dpkg -prune -o -print | grep -vxE '\.|\./var(/lib)?' || true)
  [ -z "$left" ] || fail "dpkg -r left:"$'\n'"$left"

  if command -v lintian >/dev/null; then
    tags=$(lintian --fail-on error "$package" 2>/dev/null) || fail "lintian finds errors:"$'\n'"$tags"
    [ -z "$tags" ] || printf 'lintian says:\n%s\n' "$tags"
  else
    echo "lintian is absent: the package was not checked against Debian's policy"
  fi
  exit 0
fi
cmake -E chdir "$scratch" cmake -E tar xf "$package"
# No terminal and no input: both dialogs are cancelled, a whole run.
(cd "$scratch" && "$scratch"/*/bin/zulchooser </dev/null >/dev/null 2>&1) || fail "the unpacked chooser failed"
mkdir -p "$scratch/prefix/bin"
echo 'the real converter' >"$scratch/prefix/bin/vizozava"
cmake --install "$release" --prefix "$scratch/prefix" >/dev/null
[ "$(cat "$scratch/prefix/bin/vizozava")" = 'the real converter' ] || fail "the install changed bin/vizozava"
installed=$(cd "$scratch/prefix" && find . -type f | cut -c3- | LC_ALL=C sort)
[ "$installed" = $'bin/vizozava\n'"$expected" ] || fail "the install put:"$'\n'"$installed"
