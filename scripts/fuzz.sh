#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
# Skips quietly when clang is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, skipping the fuzz runs"
  exit 0
fi

test -f build/fuzz/build.ninja || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$corpus/"; fi
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" >"$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log"
    echo "fuzz: $name FAILED"
    status=1
  else
    grep -E '^Done|#[0-9]+.*DONE' "$work/$name.log" | tail -n 1 || true
  fi
done
exit $status
