#!/usr/bin/env bash
# The bash completion of zqe completes commands and each command's options.
set -euo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"
complete_line() {
    COMP_LINE="$1"
    COMP_POINT=${#COMP_LINE}
    read -r -a COMP_WORDS <<< "$COMP_LINE"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _zqe
    echo "${COMPREPLY[*]}"
}
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
echo "completion ok"
