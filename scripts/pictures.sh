#!/usr/bin/env bash
# Makes the README's pictures (docs/pictures/*.png) again, each drawn by
# `quibor15 run --snapshots`: the wizard of examples/wizard.vbs on its first,
# a middle and its closing step, the language dialog of
# examples/language_dialog.vbs, and the monitor chooser on three monitors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIBOR15_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" quibor15_cmd >/dev/null
out=$root/docs/pictures
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shot SCRIPT NUMBER NAME: runs SCRIPT (once per script) and keeps its
# snapshot NUMBER as docs/pictures/NAME.png.
shot() {
  local dir=$tmp/$(basename "$1" .vbs)
  [ -d "$dir" ] || "$build/host/quibor15" run --snapshots "$dir" "$1" >/dev/null
  local file
  file=$(ls "$dir"/"$2"-*.png)
  cp "$file" "$out/$3.png"
}

# The wizard: 001 is the form shown on step 0, 003 step 2 after two clicks
# on Next, 004 the closing page after the third.
shot "$root/examples/wizard.vbs" 001 wizard-first
shot "$root/examples/wizard.vbs" 003 wizard-middle
shot "$root/examples/wizard.vbs" 004 wizard-closing
# The language dialog after the user typed "Ge".
shot "$root/examples/language_dialog.vbs" 002 language-dialog
# The monitor chooser with the middle monitor picked.
shot "$out/three_monitors.vbs" 002 monitor-chooser
ls -l "$out"/*.png
