#!/usr/bin/env bash
# A full list of long names: 1000 course files of about 250 bytes, two of them
# holding every byte a file name may (control bytes and 0x80-0xFF). Home, PgDn
# and End move across the list, four names are marked, Enter runs the converter
# for them in list order with their names as spelled on disk (as much of them as
# a command line holds), and the terminal shows each byte as its glyph, so no
# byte moves or colours anything. Then more than a list holds: 1500 course
# files among 20 000 others, made from the last to the first, list the first
# 1000 by name under a notice that says how many there were, and the converter
# gets the chosen ones as spelled on disk.
source "$(dirname "$0")/lib.sh"

install_chooser
make_long_course_files "$WORK/start" 998

# A name of exactly 255 bytes: $1, then 'b's, then ".zul".
padded() {
  local name=$1
  while [ ${#name} -lt 251 ]; do name+=b; done
  printf '%s.zul' "$name"
}
LC_ALL=C  # names are counted and compared in bytes
# Bytes 0x01-0x7F but the ones the converter's command line would split or
# quote at (tab, blank, '"', '\') and '/'; then bytes 0x80-0xFF.
low=z high=z
for ((b = 1; b < 128; b++)); do
  case $b in 9 | 32 | 34 | 47 | 92) continue ;; esac
  printf -v byte "\\x$(printf %02x $b)"
  low+=$byte
done
for ((b = 128; b < 256; b++)); do
  printf -v byte "\\x$(printf %02x $b)"
  high+=$byte
done
low=$(padded "$low")
high=$(padded "$high")
: > "$WORK/start/$low"
: > "$WORK/start/$high"
files=("$WORK/start"/*)
[ ${#files[@]} = 1000 ] || fail "made ${#files[@]} course files, not 1000"

start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
send_key Escape
wait_for ' 1-[0-9]+ of 1000'

# The list order: by bytes, upper-cased. The long names come first, numbered in
# the order their number's bytes sort; the two others last, the lower bytes first.
mapfile -t numbers < <(seq 998 | sed 's/$/.ZUL/' | LC_ALL=C sort | sed 's/\.ZUL$//')
stem=$(printf 'a%.0s' $(seq 240))

send_key End
wait_for ' 0 marked +[0-9]+-1000 of 1000'
send_key Home Space
wait_for ' 1 marked +1-[0-9]+ of 1000'
send_key NPage
# A page down from the first name scrolls a whole page and leaves the highlight on
# the first row shown: its number starts the range.
wait_for ' 1 marked +([2-9]|[1-9][0-9]+)-[0-9]+ of 1000'
range=$(capture | grep -oE '[0-9]+-[0-9]+ of 1000' | head -1)
page=${range%%-*}
send_key Space
wait_for ' 2 marked'
send_key End Space
wait_for ' 3 marked +[0-9]+-1000 of 1000'
send_key Up Space
wait_for ' 4 marked +[0-9]+-1000 of 1000'

# The two names show from their first byte: control bytes as glyphs, and bytes
# that spell no UTF-8 character as theirs too, not upper-cased (only letters are),
# in the rows above the status line, one row each.
low_shown='Z☺☻♥♦♣♠•◘◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼!#$%&'"'"'()*'
high_shown='ZÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑª'
row_of() { capture | grep -nF -- "$1" | head -1 | cut -d: -f1 || true; }
low_row=$(row_of "$low_shown")
high_row=$(row_of "$high_shown")
status_row=$(row_of '4 marked')
[ -n "$low_row" ] || fail "the name with control bytes is not shown as glyphs"
[ -n "$high_row" ] || fail "the name with bytes 0x80-0xFF is not shown as glyphs"
[ "$high_row" = $((low_row + 1)) ] && [ "$status_row" = $((high_row + 1)) ] ||
  fail "rows out of place: names at $low_row and $high_row, status at $status_row"
[ "$(capture | wc -l)" = 30 ] || fail "the pane has $(capture | wc -l) lines"

send_key Enter
check_terminal_restored
[ "$(cat "$WORK/exit")" = 0 ] || fail "exit code $(cat "$WORK/exit")"
# Each run's command line, "vizozava", three blanks and the name, is cut to
# 256 bytes, as every command line is: the converter gets the names' first 245.
for name in "$stem${numbers[0]}.zul" "$stem${numbers[page - 1]}.zul" "$low" "$high"; do
  line="vizozava   $name"
  printf '%s [%s]\n' "$WORK/start" "${line:11:245}"
done > "$WORK/expected"
cmp -s "$WORK/runs" "$WORK/expected" || fail "runs were:
$(cat -v "$WORK/runs")
expected:
$(cat -v "$WORK/expected")"

mkdir -p "$WORK/many"
(
  cd "$WORK/many"
  seq -f 'other%06g.dat' 20000 | xargs touch
  seq -f '%04g' 1500 -1 1 | awk '{ print ($1 % 2 ? "COURSE" $1 ".ZUL" : "course" $1 ".zul") }' | xargs touch
)
rm -f "$WORK/runs"
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "$WORK/many"
send_key Enter
wait_for ' 0 marked +1-[0-9]+ of 1000'
notice=$(capture -e | grep -F 'Only the first 1000 of 1500 .ZUL files') || fail "no notice of the files left out"
[[ $notice == *$'\e[91m'* ]] || fail "the notice is not in light red: $(printf %q "$notice")"
[ "$(capture | grep -n 'COURSE0001\.ZUL' | cut -d: -f1)" -lt "$(capture | grep -n 'COURSE0002\.ZUL' | cut -d: -f1)" ] ||
  fail "the list does not start with COURSE0001.ZUL, COURSE0002.ZUL"
send_key Space End
wait_for ' 1 marked +[0-9]+-1000 of 1000'
wait_for 'COURSE1000\.ZUL'
capture | grep -q 'COURSE1001' && fail "a name beyond the first 1000 is listed"
send_key Space Enter
check_terminal_restored
printf '%s [%s]\n' "$WORK/start" "$WORK/many/COURSE0001.ZUL" "$WORK/start" "$WORK/many/course1000.zul" > "$WORK/expected"
cmp -s "$WORK/runs" "$WORK/expected" || fail "runs were:
$(cat "$WORK/runs")"
echo "long names: ok"
