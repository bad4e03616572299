#!/usr/bin/env bash
# Sets up the machine, builds the suite and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default
out=build/default/out
"$out/zqcatalog"
