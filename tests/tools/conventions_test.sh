#!/usr/bin/env bash
# The command-line conventions every program of the suite follows, one table row per program and
# convention: standard input for "-", errors that start with the installed name and name the file
# with the system's reason, the exit statuses in --help, and the documented status itself.
# Usage: conventions_test.sh OUT (the build's out/ folder)
set -uo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export ZQ_LANG=en QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$work/empty"
"$out/zqe" compile "$out/../examples/demo.ZQE" -o "$work/demo.vxg" >/dev/null || { echo "no demo image" >&2; exit 1; }
failed=0
# program (below out/) | command name | arguments | standard input | status | start of standard error
while IFS='|' read -r program command arguments input status start; do
    [[ -z $program || $program == \#* ]] && continue
    arguments=${arguments//@WORK@/$work}
    start=${start//@WORK@/$work}
    eval "set -- $arguments"
    err=$(printf '%b' "$input" | "$out/$program" "$@" 2>&1 >/dev/null)
    got=$?
    if [[ $got != "$status" || $err != "$start"* ]]; then
        echo "$command $arguments: status $got, expected $status; standard error '$err', expected '$start...'" >&2
        failed=1
    fi
done <<'TABLE'
# "-" reads standard input: the script's bad line is reported from "-".
zqplc-sim|zqplc-sim|--pty --script -|bogus 1\n|1|zqplc-sim: -:1:
zqpanel-run|zqpanel-run|--headless --script - @WORK@/demo.vxg|bogus\n|2|zqpanel-run: -:1:
# A missing input is named with the system's reason.
zqplc-sim|zqplc-sim|--pty --script @WORK@/none.txt||1|zqplc-sim: cannot open '@WORK@/none.txt': No such file or directory
zqpanel-run|zqpanel-run|--headless --script @WORK@/none.txt @WORK@/demo.vxg||1|zqpanel-run: cannot open '@WORK@/none.txt': No such file or directory
zqe|zqe|inspect @WORK@/none.vxg||1|zqe: cannot open '@WORK@/none.vxg': No such file or directory
zqflash|zqflash|--port /dev/null --file @WORK@/none.hex||1|zqflash: open input file error!: cannot open '@WORK@/none.hex': No such file or directory
bin/Flasher|zqflasher|@WORK@/none.vxg||1|zqflasher: cannot open '@WORK@/none.vxg': No such file or directory
ZQEditor|zqeditor|one two||2|zqeditor: 
zqcatalog|zqcatalog|--dir @WORK@/none||2|zqcatalog: --dir: '@WORK@/none' is not a folder
zqcatalog|zqcatalog|--dir @WORK@/empty||1|zqcatalog: cannot open '@WORK@/empty/DeviceRegister.ini': No such file or directory
zqpanel-sim|zqpanel-sim|--baud x||2|zqpanel-sim: --baud: 'x' is not a whole number
zqpanel-sim|zqpanel-sim|--flash @WORK@/none/f.bin --exit-on-stdin-eof||1|zqpanel-sim: --flash: cannot write '@WORK@/none/f.bin': the folder '@WORK@/none' does not exist
# A wrong command line: status 2, the installed name first.
zqplc-sim|zqplc-sim|--bogus||2|zqplc-sim: 
zqpanel-run|zqpanel-run|--bogus||2|zqpanel-run: 
zqcatalog|zqcatalog|--bogus||2|zqcatalog: 
zqflash|zqflash|--bogus||2|zqflash: 
bin/Flasher|zqflasher|--bogus||2|zqflasher: 
ZQEditor|zqeditor|--bogus||2|zqeditor: 
TABLE
# Every program lists its exit statuses in --help.
for pair in zqe:zqe zqflash:zqflash zqpanel-sim:zqpanel-sim zqpanel-run:zqpanel-run zqplc-sim:zqplc-sim \
            zqcatalog:zqcatalog ZQEditor:zqeditor bin/Flasher:zqflasher; do
    program=${pair%%:*}
    help=$("$out/$program" --help 2>&1)
    if [[ $help != *"Exit status"* ]]; then
        echo "${pair##*:} --help does not list its exit statuses" >&2
        failed=1
    fi
done
# The window programs with a display that does not answer: said with the display's name, status 1.
for pair in ZQEditor:zqeditor bin/Flasher:zqflasher zqpanel-run:zqpanel-run; do
    program=${pair%%:*}
    err=$(unset QT_QPA_PLATFORM; DISPLAY=:64999 XDG_RUNTIME_DIR="$work" "$out/$program" "$work/demo.vxg" 2>&1 >/dev/null)
    got=$?
    if [[ $got != 1 || $err != "${pair##*:}: cannot open the display ':64999'"* ]]; then
        echo "${pair##*:} on a display that does not answer: status $got, '$err'" >&2
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "conventions ok"
exit $failed
