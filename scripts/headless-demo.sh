#!/usr/bin/env bash
# The headless demo: a simulated meter on a pseudo-terminal, recorded for about ten seconds
# by volmograph-cli with the lines appearing live, then saved as demo.mtr (and demo.csv),
# drawn as demo.png and printed as demo.pdf. The simulator is stopped however this ends.
#
# Usage: scripts/headless-demo.sh [OUTPUT_FOLDER]   (default: build/demo)
set -uo pipefail
cd "$(dirname "$0")/.."

bin=${VOLMOGRAPH_BIN:-build/dev/src}
out=${1:-build/demo}
cli="$bin/volmograph-cli"
sim="$bin/volmograph-sim"

fail() {
  echo "headless-demo: $*" >&2
  exit 1
}

for tool in "$cli" "$sim"; do
  [ -x "$tool" ] || fail "$tool is missing; build first (make build)"
done
mkdir -p "$out" || fail "cannot create the output folder $out"

work=$(mktemp -d "${TMPDIR:-/tmp}/volmograph-demo.XXXXXX") || fail "cannot create a temporary folder"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
# Ctrl-C reaches the recording too, which stops and saves; the demo then goes on with it.
trap 'echo' INT
trap 'exit 143' TERM

# The demo neither reads nor writes the user's settings.
export VOLMOGRAPH_INI="$work/volmograph.ini"

"$sim" --link "$work/meter" --function B --value 1.2 --drift 0.08 --noise 0.01 --seed 7 \
  >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 50); do
  [ -e "$work/meter" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
[ -e "$work/meter" ] || fail "the simulator did not start: $(head -n 1 "$work/sim.err")"

echo "Recording the simulated meter for 10 s (Ctrl-C stops early and still saves):"
"$cli" record --port "$work/meter" --interval 250ms --seconds 10 \
  --out "$out/demo.mtr" --csv "$out/demo.csv" || fail "recording failed (see above)"

made=("$out/demo.mtr" "$out/demo.csv")
status=0
# Runs one step that makes `file`; a failure is reported and the other steps still run.
step() {
  local file=$1 name=$2
  shift 2
  local err
  if err=$("$cli" "$name" "$@" 2>&1 >/dev/null); then
    made+=("$file")
  else
    echo "headless-demo: $name failed: $err" >&2
    status=1
  fi
}
step "$out/demo.png" render "$out/demo.mtr" --png "$out/demo.png"
step "$out/demo.pdf" print "$out/demo.mtr" --mode line --pdf "$out/demo.pdf"

echo
echo "Files:"
for file in "${made[@]}"; do
  echo "  $(realpath "$file")"
done
exit $status
