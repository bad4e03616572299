# bash completion for zqcatalog: its options and the folder of the catalogues.
_zqcatalog()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
        --dir)
            _filedir -d
            return
            ;;
    esac
    COMPREPLY=($(compgen -W "--dir --json --help --version" -- "$cur"))
} && complete -F _zqcatalog zqcatalog
