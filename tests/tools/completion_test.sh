#!/usr/bin/env bash
# The bash completion of every command of the suite (as the build installs them, in FOLDER):
# options, option values, subcommands, catalogue names and file names by extension.
# Usage: completion_test.sh FOLDER PROGRAMS (the build's out/, where zqcatalog lies)
set -euo pipefail
source "$(dirname "$0")/completion_lib.sh"
folder=$1
export PATH="$2:$PATH"
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
touch "$files"/plant.ZQE "$files"/plant.vxg "$files"/prog.hex "$files"/notes.txt "$files"/flash.bin
mkdir "$files"/sub
cd "$files"
failed=0
# command | what is typed | what completes (sorted)
while IFS='|' read -r command line expected; do
    [[ -z $command || $command == \#* ]] && continue
    source "$folder/$command"
    got=$(complete_line "$line" | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
    if [[ $got != "$expected" ]]; then
        echo "completing '$line': got '$got', expected '$expected'" >&2
        failed=1
    fi
done <<'TABLE'
zqeditor|zqeditor --no|--no-splash
zqeditor|zqeditor |plant.ZQE sub
zqflasher|zqflasher --un|--unattended
zqflasher|zqflasher --platform o|offscreen
zqflasher|zqflasher |flash.bin plant.vxg prog.hex sub
zqpanel-sim|zqpanel-sim --ex|--exit-on-stdin-eof
zqpanel-sim|zqpanel-sim --format 8N|8N1 8N2
zqpanel-sim|zqpanel-sim --flash |flash.bin sub
zqpanel-run|zqpanel-run --he|--headless --help
zqpanel-run|zqpanel-run --parity |E N O
zqpanel-run|zqpanel-run |plant.ZQE plant.vxg sub
zqplc-sim|zqplc-sim --st|--statement --station
zqplc-sim|zqplc-sim -e r|ramp register
zqcatalog|zqcatalog --d|--dir
zqcatalog|zqcatalog --j|--json
zqcatalog|zqcatalog --dir |sub
zqflash|zqflash --li|--list-ports
zqflash|zqflash --file |flash.bin plant.vxg prog.hex sub/
zqplc-sim|zqplc-sim --script |flash.bin notes.txt plant.ZQE plant.vxg prog.hex sub
zqe|zqe ren|render
zqe|zqe compile |plant.ZQE sub
zqe|zqe inspect |plant.vxg sub
zqe|zqe new --device Q|QMX200 QMX300
zqe|zqe new --device 1|100 101
zqe|zqe new --plc MOD|MODBUS自由协议
TABLE
[ $failed -eq 0 ] && echo "completion ok"
exit $failed
