# bash completion for zqpanel-sim: its options, serial devices, formats and the flash file.
_zqpanel_sim()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
        --device)
            COMPREPLY=($(compgen -W "$(ls -d /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* /dev/pts/[0-9]* 2>/dev/null)" -- "$cur"))
            return
            ;;
        --flash)
            _filedir bin
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W "8E1 8N1 8O1 8E2 8N2 8O2 7E1 7O1" -- "$cur"))
            return
            ;;
        --baud | --line-baud)
            COMPREPLY=($(compgen -W "9600 19200 38400 57600 115200" -- "$cur"))
            return
            ;;
        --slave | --seed | --delay | --ignore-knocks | --drop-answer | --lose-block | --repeat-answer | --bad-crc | \
            --corrupt-answer | --count | --panel)
            return
            ;;
    esac
    COMPREPLY=($(compgen -W "--device --baud --format --slave --seed --flash --line-baud --delay --ignore-knocks
        --drop-answer --lose-block --repeat-answer --bad-crc --corrupt-answer --count --panel --exit-on-stdin-eof
        --verbose --help --version" -- "$cur"))
} && complete -F _zqpanel_sim zqpanel-sim
