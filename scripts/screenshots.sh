#!/usr/bin/env bash
# Renders every picture of docs/ offscreen from the normal build (scripts/build.sh default first):
# the editor, its dialogs, the programmer and the emulator, in Chinese and in English (-en names).
# Usage: scripts/screenshots.sh [DOCS_FOLDER]   (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
docs=$(realpath "${1:-docs}")
build=build/default
out=$build/out
[ -x "$out/editor-screenshot" ] || { echo "screenshots: build first (bash scripts/build.sh default)" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen
for lang in zh en; do
  suffix=; [ "$lang" = en ] && suffix=-en
  (
    export ZQ_LANG=$lang
    cd "$out"
    ./editor-screenshot ../examples/demo.ZQE "$docs"
    ./dialog-screenshot "$docs/attribute-grid$suffix.png" "$docs/device-select$suffix.png" \
      "$docs/screen-attributes$suffix.png"
    ./flasher-screenshot "$docs/flasher-manual$suffix.png" "$docs/flasher-auto$suffix.png" \
      "$docs/flasher-about$suffix.png"
  )
done
(cd "$out" && ZQ_LANG=zh ./emulator-screenshot ../examples/demo.ZQE "$docs/emulator-demo.png" "$docs/simulation-demo.png")
cp "$out/demo-screen-1.png" "$docs/demo-screen-1.png"
echo "screenshots: pictures written to $docs"
