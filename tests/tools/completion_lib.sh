# Shared by the completion tests (sourced): complete_line LINE prints what bash completion offers
# for LINE, in the order the completion function left it, through the function FUNCTION registered
# for LINE's first word (or given as the second argument).
source /usr/share/bash-completion/bash_completion
complete_line() {
    COMP_LINE="$1"
    COMP_POINT=${#COMP_LINE}
    read -r -a COMP_WORDS <<< "$COMP_LINE"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    local function=${2:-}
    [[ -n $function ]] || function=$(complete -p "${COMP_WORDS[0]}" | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
    "$function"
    echo "${COMPREPLY[*]}"
}
