# bash completion for zqplc-sim: its options and script files.
_zqplc_sim()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
        --script)
            _filedir
            return
            ;;
        --statement | -e)
            COMPREPLY=($(compgen -W "register coil ramp toggle" -- "$cur"))
            return
            ;;
        --tcp | --station | --register | --coil)
            return
            ;;
    esac
    COMPREPLY=($(compgen -W "--tcp --pty --station --register --coil --statement -e --script --help --version" -- "$cur"))
} && complete -F _zqplc_sim zqplc-sim
