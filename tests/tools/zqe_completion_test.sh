#!/usr/bin/env bash
# The bash completion of zqe completes commands and each command's options.
set -euo pipefail
source "$(dirname "$0")/completion_lib.sh"
source "$1"
check() {
    local got
    got=$(complete_line "$1")
    if [[ $got != "$2" ]]; then
        echo "completing '$1': got '$got', expected '$2'" >&2
        exit 1
    fi
}
check "zqe ren" "render"
check "zqe render --z" "--zoom"
check "zqe new --f" "--force"
check "zqe export --s" "--short"
check "zqe export --names a" "ascii"
check "zqe help imp" "import"
check "zqe --ver" "--version"
check "zqe xr" "xref"
check "zqe check --s" "--strict"
check "zqe xref --c" "--csv"
check "zqe info --j" "--json"
check "zqe inspect --j" "--json"
echo "completion ok"
