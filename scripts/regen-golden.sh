#!/usr/bin/env bash
# Renders the golden pictures in tests/golden/render from the data files in tests/vectors
# with the built volmograph-cli. Run it after a deliberate change to the pictures, look at
# every PNG it wrote, and commit them together with the change.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=build/dev/src/volmograph-cli
golden=tests/golden/render
vectors=tests/vectors

"$cli" render "$vectors/render/dcv_ramp.mtr" --mode line --png "$golden/dcv_ramp_line.png"
"$cli" render "$vectors/render/dcv_ramp.mtr" --mode bar --png "$golden/dcv_ramp_bar.png"
"$cli" render "$vectors/replay/waveform_run.mtr" --mode wave --png "$golden/waveform.png"
echo "wrote $(ls "$golden"/*.png | tr '\n' ' ')"
