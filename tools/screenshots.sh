#!/usr/bin/env bash
# The README's pictures: the chooser as a user sees it, drawn headless on an X server of
# its own (Xvfb), in xterm (80 x 30, DejaVu Sans Mono, xterm's own palette) and, the
# Windows program, in wine's console window (its raster font and legacy palette). Each
# shows the question with a folder typed, then the list box of that folder with a filter
# in force, two names marked and the highlight on a third; written to docs/ as
# xterm-input-box.png, xterm-list-box.png, windows-console-input-box.png and
# windows-console-list-box.png. The folder is a copy of examples/ at a fixed path, so
# no builder's folder shows, and the same keys over it give the same pictures, byte for
# byte. Not a test: `make screenshots` builds both programs and runs it.
#   tools/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
chooser=$PWD/build/release/bin/zulchooser
chooser_exe=$PWD/build/windows/bin/zulchooser.exe
work=$PWD/build/screenshots
docs=$PWD/docs
demo=/tmp/zulchooser-demo
# The keys of the list box picture: the filter "r" (ALGEBRA, CHEMISTRY and WORLD
# GEOGRAPHY of the five), the first two marked, the highlight on the third.
list_keys=(Return slash r Return space Down space Down)
title="Select zul files for conversion"

for program in "$chooser" "$chooser_exe"; do
  [ -x "$program" ] || { echo "screenshots: $program is not built (make screenshots builds it)" >&2; exit 1; }
done
mkdir -p "$work" "$docs"
scratch=$(mktemp -d "$work/run.XXXXXX")
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
xvfb= xterm=
cleanup() {
  [ -z "$xterm" ] || kill "$xterm" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# xdotool without its warnings about the focus, which an X server without a window
# manager always draws from it.
xdo() { xdotool "$@" 2>/dev/null; }

# Waits until window $1 shows something other than the picture whose digest is $2 and
# has kept it for a second; leaves it in $scratch/settled.png and its digest in $settled.
# $3 says what was awaited, for the message when it does not come within 60 s.
settle() {
  local window=$1 before=$2 last= now steady=0
  for _ in $(seq 300); do
    sleep 0.2
    import -window "$window" -define png:exclude-chunks=date,time "$scratch/now.png"
    now=$(md5sum <"$scratch/now.png")
    if [ "$now" = "$last" ] && [ "$now" != "$before" ]; then steady=$((steady + 1)); else steady=0; fi
    last=$now
    if [ "$steady" -ge 5 ]; then
      mv "$scratch/now.png" "$scratch/settled.png"
      settled=$now
      return 0
    fi
  done
  echo "screenshots: $3 did not show within 60 s" >&2
  return 1
}

# Writes what settled as docs/$1.png, scaled by $2 per cent (pixel for pixel), in true
# colour and without time stamps.
keep() {
  convert "$scratch/settled.png" -scale "$2%" -define png:exclude-chunks=date,time PNG24:"$docs/$1.png"
  echo "Picture: docs/$1.png, $(identify -format '%w x %h' "$docs/$1.png") pixels, $(stat -c %s "$docs/$1.png") bytes"
}

# The two pictures of one chooser, whose window is titled as the chooser titles it once
# it has drawn: $1 names them, $2 is the folder to type, $3 the scale.
take_pictures() {
  local window
  window=$(timeout 60 xdotool search --sync --name "$title" 2>/dev/null | head -1) ||
    { echo "screenshots: no window \"$title\" within 60 s" >&2; return 1; }
  xdo windowfocus --sync "$window"
  settle "$window" "" "the question"
  xdo type --delay 50 "$2"
  settle "$window" "$settled" "the folder typed"
  keep "$1-input-box" "$3"
  xdo key --delay 150 "${list_keys[@]}"
  settle "$window" "$settled" "the list box"
  keep "$1-list-box" "$3"
  # Esc clears the filter and Esc again cancels: the chooser ends, and its window closes.
  xdo key --delay 150 Escape Escape
}

# 1. The demo folder, and an X server at the first free display.
rm -rf "$demo" && mkdir -p "$demo" && cp -R examples/. "$demo/"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "screenshots: Xvfb did not start: $(cat "$scratch/xvfb.log")" >&2; exit 1; }
export DISPLAY=:$(cat "$scratch/display")

# 2. xterm, at its own size and in its own colours.
(cd "$demo" && exec xterm -fa 'DejaVu Sans Mono' -fs 11 -geometry 80x30 -title zulchooser -e "$chooser") &
xterm=$!
take_pictures xterm "$demo" 100
wait "$xterm" || true
xterm=

# 3. wine's console window, in a wine prefix of its own whose caret does not blink (so
#    that no picture catches it off). Its raster font is shown twice as large, as on a
#    screen of twice the density, so that it reads beside xterm's.
if [ ! -d "$WINEPREFIX" ]; then
  echo "screenshots: making the wine prefix $WINEPREFIX (once; it takes a while)"
  timeout 300 wine wineboot --init >/dev/null 2>&1 || { echo "screenshots: wine made no prefix" >&2; exit 1; }
  timeout 60 wineserver --wait || true
fi
wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null 2>&1
(cd "$demo" && exec wine wineconsole "$chooser_exe") >/dev/null 2>&1 &
take_pictures windows-console 'Z:\tmp\zulchooser-demo' 200
timeout 60 wineserver --wait || true
