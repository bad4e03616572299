# bash completion for zqpanel-run: its options and their values, and the images and projects it runs.
_zqpanel_run()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
        --serial)
            COMPREPLY=($(compgen -W "$(ls -d /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* /dev/pts/[0-9]* 2>/dev/null)" -- "$cur"))
            return
            ;;
        --script)
            _filedir
            return
            ;;
        --parity)
            COMPREPLY=($(compgen -W "N E O" -- "$cur"))
            return
            ;;
        --data-bits)
            COMPREPLY=($(compgen -W "7 8" -- "$cur"))
            return
            ;;
        --stop-bits)
            COMPREPLY=($(compgen -W "1 2" -- "$cur"))
            return
            ;;
        --keys)
            COMPREPLY=($(compgen -W "16 25" -- "$cur"))
            return
            ;;
        --baud)
            COMPREPLY=($(compgen -W "9600 19200 38400 57600 115200" -- "$cur"))
            return
            ;;
        --tcp | --poll-ms | --timeout-ms | --scale)
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--tcp --serial --baud --parity --data-bits --stop-bits --poll-ms --timeout-ms --scale
            --keys --headless --script --help --version" -- "$cur"))
        return
    fi
    _filedir '@(vxg|VXG|ZQE|zqe)'
} && complete -F _zqpanel_run zqpanel-run
