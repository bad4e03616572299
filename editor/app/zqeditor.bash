# bash completion for zqeditor: its options, and project files.
_zqeditor()
{
    local cur prev words cword
    _init_completion || return
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--no-splash --help --version" -- "$cur"))
        return
    fi
    _filedir '@(ZQE|zqe)'
} && complete -F _zqeditor zqeditor
