#!/usr/bin/env bash
# Sets up the machine, builds and runs every test: the normal build, then the ASan+UBSan build.
# Usage: scripts/test.sh [preset...]   (default: default asan)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default asan)
for p in "${presets[@]}"; do
  echo "=== $p build ==="
  bash scripts/build.sh "$p"
  echo "=== $p tests ==="
  ctest --preset "$p" -j2
done
