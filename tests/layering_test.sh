#!/usr/bin/env bash
# The layers: each folder of the program includes only its own headers and those of the
# folders below it, app -> chooser -> console -> consoletools -> dialogs -> device -> base, and
# chooser -> system -> base; the console-tools library may use system too (the input box's
# folder look-ups), the dialogs never; the console device's backends, terminal and win32, stand on
# device and are used by app alone; the benchmark may time the console-tools library and what it
# stands on. Fails, naming each offending line, on an include that goes up or sideways, or that
# reaches a header by a relative path. Usage: layering_test.sh ROOT
# (with --self-check: also proves on a scratch tree that an upward include fails).
set -u
root=${1:?usage: layering_test.sh ROOT [--self-check]}

declare -A below=(
  [base]="base"
  [device]="device base"
  [terminal]="terminal device base"
  [win32]="win32 device base"
  [dialogs]="dialogs device base"
  [consoletools]="consoletools dialogs device system base"
  [console]="console consoletools dialogs device base"
  [system]="system base"
  [chooser]="chooser console consoletools dialogs device system base"
  [app]="app chooser console consoletools dialogs device terminal win32 system base"
  [tools]="tools"
  [bench]="bench consoletools dialogs device system base"
)

# Prints "file:line: folder may not include header" for each bad include under $1.
bad_includes() {
  local tree=$1 folder file line header
  for folder in "${!below[@]}"; do
    [ -d "$tree/$folder" ] || continue
    for file in "$tree/$folder"/*.cpp "$tree/$folder"/*.h; do
      [ -f "$file" ] || continue
      grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | while IFS= read -r line; do
        header=${line#*\"}
        header=${header%%\"*}
        case " ${below[$folder]} " in
          *" ${header%%/*} "*) [[ $header == */* && $header != *..* ]] && continue ;;
        esac
        echo "${file#"$tree"/}:${line%%:*}: $folder may not include \"$header\""
      done
    done
  done
}

found=$(bad_includes "$root")
if [ -n "$found" ]; then
  echo "Includes against the layers' order:"
  echo "$found"
  exit 1
fi

if [ "${2:-}" = --self-check ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/base" "$scratch/device" "$scratch/terminal" "$scratch/consoletools" "$scratch/dialogs"
  printf '#include "device/cell.h"\n' > "$scratch/base/up.h"
  printf '#include "../base/text.h"\n' > "$scratch/device/relative.cpp"
  printf '#include "win32/input_records.h"\n' > "$scratch/terminal/sideways.h"
  printf '#include "terminal/terminal_presenter.h"\n' > "$scratch/consoletools/backend.h"
  printf '#include "consoletools/list_descriptor.h"\n' > "$scratch/dialogs/up.h"
  printf '#include "system/system.h"\n' > "$scratch/dialogs/sideways.cpp"
  caught=$(bad_includes "$scratch" | wc -l)
  if [ "$caught" -ne 6 ]; then
    echo "the check missed an upward, sideways or relative include ($caught of 6 caught)"
    exit 1
  fi
fi
echo "Every include follows the layers' order."
