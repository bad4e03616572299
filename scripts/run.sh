#!/usr/bin/env bash
# Sets up the machine, builds the suite and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default
out=build/default/out
demo=build/default/examples/demo.ZQE
"$out/zqe" compile "$demo" -o "$out/demo.vxg"
"$out/zqe" inspect "$out/demo.vxg"
screens=$("$out/zqe" info "$demo" | sed -n 's/^Screens: \([0-9]*\).*/\1/p')
for n in $(seq 1 "$screens"); do
  "$out/zqe" render "$demo" --screen "$n" -o "$out/demo-screen-$n.png"
  echo "screen $n of $demo drawn into $out/demo-screen-$n.png"
done
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "opening the editor on $demo"
  "$out/ZQEditor" "$demo"
else
  echo "no display: start the editor with  $out/ZQEditor $demo  on a desktop"
fi
