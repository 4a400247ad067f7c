#!/usr/bin/env bash
# A signal that ends the chooser while the converter runs ends the converter
# too: it gets the same signal, and one that goes on regardless is killed after a
# few seconds; no later run starts, the chooser ends by the signal and the
# terminal is usable again.
source "$(dirname "$0")/lib.sh"

install_chooser none
# A converter that notes its process id, then runs until a signal ends it; with
# $WORK/stubborn present it lets SIGTERM pass unheeded.
cat > "$WORK/bin/vizozava" <<CONVERTER
#!/bin/bash
[ -e "$WORK/stubborn" ] && trap '' TERM
echo "\$\$ \$*" >> "$WORK/runs"
while :; do sleep 0.1; done
CONVERTER
chmod 0755 "$WORK/bin/vizozava"
mkdir -p "$WORK/start"
touch "$WORK/start/one.zul" "$WORK/start/two.zul"
start_shell "$WORK/start"

for kind in heeding stubborn; do
  rm -f "$WORK/runs"
  [ "$kind" = stubborn ] && touch "$WORK/stubborn"
  run_in_pane "bash -c '$WORK/bin/zulchooser; exit \$?'"
  wait_for 'Change default directory'
  send_key Escape
  wait_for 'TWO\.ZUL'
  send_key C-a Enter
  wait_for_file "$WORK/runs" 5
  converter=$(cut -d' ' -f1 "$WORK/runs")
  started=$(date +%s%N)
  kill -TERM "$(chooser_under_own_shell)"
  check_terminal_restored
  took_ms=$((($(date +%s%N) - started) / 1000000))
  [ "$(cat "$WORK/exit")" = 143 ] || fail "$kind: exit code $(cat "$WORK/exit")"
  ! kill -0 "$converter" 2>/dev/null || fail "$kind: the converter $converter still runs"
  [ "$(wc -l < "$WORK/runs")" = 1 ] || fail "$kind: another run started: $(cat "$WORK/runs")"
  if [ "$kind" = stubborn ]; then
    [ "$took_ms" -ge 2500 ] || fail "a converter that lets SIGTERM pass was killed after $took_ms ms"
  fi
done
echo "run ended by a signal: ok"
