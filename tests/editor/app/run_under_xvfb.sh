#!/usr/bin/env bash
# run_under_xvfb.sh PROGRAM [ARGS...]: runs a program on a private X server (Xvfb) with Qt's xcb
# platform and stops the server afterwards. Exits 77 (the test is skipped) without Xvfb.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: skipped"; exit 77; }
tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
server=$!
stop() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$tmp"; }
trap stop EXIT
for _ in $(seq 1 200); do
  [ -s "$tmp/display" ] && break
  kill -0 "$server" 2>/dev/null || { cat "$tmp/xvfb.log"; exit 1; }
  sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$@"
exit $?
