#!/usr/bin/env bash
# The main job of `make run`: for now the headless demo (simulated meter, live decode).
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/dev/src/volmograph-cli demo --seconds 10
