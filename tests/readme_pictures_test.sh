#!/usr/bin/env bash
# The pictures the README shows: each picture it names under docs/ is shown with alt text,
# exists, is a PNG of 300 x 150 to 2000 x 1500 pixels and weighs 5 to 150 KiB, so a
# renamed, lost or runaway picture cannot leave a broken or heavy link.
#   tests/readme_pictures_test.sh SOURCE_DIR
set -uo pipefail
source_dir=${1:?usage: readme_pictures_test.sh SOURCE_DIR}
readme=$source_dir/README.md
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Every link to a picture in docs/, with what stands before it: an image is ![alt](docs/...).
links=$(grep -oE '!?\[[^]]*\]\(docs/[^)]*\.png\)' "$readme")
[ -n "$links" ] || fail "the README shows no picture under docs/"
while IFS= read -r link; do
  [ -n "$link" ] || continue
  path=${link##*\(}
  path=${path%\)}
  [[ $link == '!['?*']('* ]] || fail "$path is not shown as a picture with alt text: $link"
  file=$source_dir/$path
  if [ ! -f "$file" ]; then
    fail "$path is missing"
    continue
  fi
  # The PNG signature, then the header chunk: width and height, 4 bytes each, big-endian.
  read -r -a bytes <<<"$(od -An -tu1 -N24 "$file" | tr -s ' \n' '  ')"
  [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || {
    fail "$path does not start with the PNG signature"
    continue
  }
  width=$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))
  height=$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))
  [ "$width" -ge 300 ] && [ "$width" -le 2000 ] && [ "$height" -ge 150 ] && [ "$height" -le 1500 ] ||
    fail "$path measures $width x $height pixels, not 300 x 150 to 2000 x 1500"
  size=$(stat -c %s "$file")
  [ "$size" -ge $((5 * 1024)) ] && [ "$size" -le $((150 * 1024)) ] || fail "$path weighs $size bytes, not 5 to 150 KiB"
done <<<"$links"
[ "$failures" -eq 0 ] || exit 1
echo "Every picture the README shows is there, a PNG of a sound size."
