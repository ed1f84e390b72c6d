#!/usr/bin/env bash
# The main job of `make run`: the desktop program with a simulated meter when there is a
# display, else the headless demo in the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/dev/src/app/volmograph --demo
fi
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the headless demo instead."
exec bash scripts/headless-demo.sh
