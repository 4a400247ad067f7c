#!/usr/bin/env bash
# Names in the user's own characters: a course folder typed with an umlaut is
# changed into, its names (accented, East Asian wide, and one with its umlaut as
# a combining mark, as copied from a Mac) are listed upper-cased by letter with
# the box's right edge straight beside each, and the converter gets each name as
# spelled on disk.
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8  # the test counts what the pane shows by characters and cells

install_chooser
mkdir -p "$WORK/start/jörg"
for name in übung.zul Ärger.zul plain.zul; do : > "$WORK/start/$name"; done
for name in kurs.zul 日本.zul $'u\xcc\x88ber.zul' 'ärger.zul'; do : > "$WORK/start/jörg/$name"; done

start_shell "$WORK/start"
run_in_pane "$WORK/bin/zulchooser"
wait_for 'Change default directory'
type_text "jörg"
wait_for '║  jörg +║'
send_key Enter
wait_for 'Make simultaneous choices'
wait_for "║ $WORK/start/jörg +║"
wait_for '4 of 4'
# Byte order of the upper-cased names: K, U + mark, then the UTF-8 of Ä and 日.
mark=$'\xcc\x88'
names=$(capture | grep -oE "(KURS|ÄRGER|日本|U$mark)[^ ]*" | tr '\n' ' ')
[ "$names" = "KURS.ZUL U${mark}BER.ZUL ÄRGER.ZUL 日本.ZUL " ] || fail "names shown: $names"
# Every row of the box ends in the same column, whatever its characters' widths.
widths=$(capture | grep '║' | while IFS= read -r line; do
  printf '%s║' "${line%║*}" | wc -L
done | sort -u)
[ "$(wc -l <<< "$widths")" = 1 ] || fail "the box's right edge is not straight: columns $(echo $widths)"

send_key C-a
wait_for '4 marked'
send_key Enter
check_terminal_restored
expected="$WORK/start [jörg/kurs.zul]
$WORK/start [jörg/u"$'\xcc\x88'"ber.zul]
$WORK/start [jörg/ärger.zul]
$WORK/start [jörg/日本.zul]"
[ "$(cat "$WORK/runs")" = "$expected" ] || fail "runs were:
$(cat "$WORK/runs")
expected:
$expected"
echo "own characters: ok"
