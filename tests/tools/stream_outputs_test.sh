#!/usr/bin/env bash
# Outputs in pipelines, by the suite's one rule: standard output under its device name, a FIFO with a
# reader and a process substitution get exactly the bytes of the file output (zqe's images, JSON and
# pictures, the simulator's flash), and stay what they were.
# Usage: stream_outputs_test.sh OUT (the build's out/ folder)
set -uo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZQ_LANG=en QT_QPA_PLATFORM=offscreen # HOME and XDG: the build tree's, from ctest
zqe=$out/zqe
demo=$out/../examples/demo.ZQE
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

"$zqe" compile "$demo" -o "$work/demo.vxg" || { echo "no demo image" >&2; exit 1; }
"$zqe" export "$demo" -o "$work/demo.json" || fail "export to a file"
file_sum=$(sha256sum <"$work/demo.vxg" | cut -d' ' -f1)

# /dev/stdout into a pipe, and into a file the shell opened (appended to, never replaced).
pipe_sum=$("$zqe" compile "$demo" -o /dev/stdout | sha256sum | cut -d' ' -f1)
[[ $pipe_sum == "$file_sum" ]] || fail "compile -o /dev/stdout | sha256sum: $pipe_sum, not $file_sum"
printf 'head' >"$work/appended"
"$zqe" export "$demo" -o /dev/stdout >>"$work/appended" || fail "export -o /dev/stdout >>file"
cmp -s "$work/appended" <(printf 'head'; cat "$work/demo.json") || fail "export -o /dev/stdout >>file: other bytes"

# A FIFO with a reader is streamed into and stays a FIFO.
mkfifo "$work/fifo"
cat "$work/fifo" >"$work/from-fifo" &
reader=$!
"$zqe" compile "$demo" -o "$work/fifo" || fail "compile -o FIFO"
wait "$reader"
cmp -s "$work/from-fifo" "$work/demo.vxg" || fail "compile -o FIFO: other bytes"
[[ -p $work/fifo ]] || fail "the FIFO was replaced"

# Process substitution (/dev/fd/N); a render there without a name's ending is PNG.
"$zqe" compile "$demo" -o >(cat >"$work/from-subst")
wait $!
cmp -s "$work/from-subst" "$work/demo.vxg" || fail "compile -o >(...): other bytes"
"$zqe" render "$demo" -o >(cat >"$work/render-subst") || fail "render -o >(...)"
wait $!
[[ $(head -c 8 "$work/render-subst" | od -An -tx1 | tr -d ' ') == 89504e470d0a1a0a ]] || fail "render -o >(...): no PNG"

# The simulator's flash (erased, nobody programs it) into a process substitution and a pipe.
sim=$out/zqpanel-sim
"$sim" --flash "$work/flash.bin" --exit-on-stdin-eof </dev/null >/dev/null || fail "zqpanel-sim --flash FILE"
"$sim" --flash >(cat >"$work/flash-subst") --exit-on-stdin-eof </dev/null >/dev/null || fail "zqpanel-sim --flash >(...)"
wait $!
cmp -s "$work/flash-subst" "$work/flash.bin" || fail "zqpanel-sim --flash >(...): other bytes"
flash_sum=$("$sim" --flash /dev/stdout --exit-on-stdin-eof </dev/null 2>/dev/null | sha256sum | cut -d' ' -f1)
[[ $flash_sum == $(sha256sum <"$work/flash.bin" | cut -d' ' -f1) ]] || fail "zqpanel-sim --flash /dev/stdout | sha256sum"

# A folder is still refused before any work, with the reason.
err=$("$zqe" compile "$demo" -o "$work" 2>&1 >/dev/null)
[[ $? -ne 0 && $err == *"not a regular file"* ]] || fail "compile -o FOLDER: $err"
exit $failed
