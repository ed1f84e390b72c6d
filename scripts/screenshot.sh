#!/usr/bin/env bash
# Screenshots of the main window under a virtual display: the demo's readout, line graph,
# bar graph and waveform picture, as PNG files in the folder given.
#   scripts/screenshot.sh OUT_DIR
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: scripts/screenshot.sh OUT_DIR" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
out=$(mkdir -p "$1" && cd "$1" && pwd)
program=build/dev/src/app/volmograph
if [ ! -x "$program" ]; then
  echo "$program is not built; run 'make build' first" >&2
  exit 1
fi

# Command ids: 32771 Start, 32775 Line, 32774 Bar, 32803 Text, 33001 the demo's waveform.
script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat >"$script" <<STEPS
command 32771
wait 25000
shot $out/main-window-readout.png
command 32775
wait 1000
shot $out/main-window-line.png
command 32774
wait 1000
shot $out/main-window-bar.png
command 32803
command 33001
wait 3000
shot $out/main-window-waveform.png
quit
STEPS

runtime=$(mktemp -d)
trap 'rm -f "$script"; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime timeout 90 xvfb-run -a -s "-screen 0 1280x800x24" \
  "$program" --demo --no-splash --script "$script"
ls "$out"/main-window-*.png
