# bash completion for zqflash
_zqflash()
{
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    case "$prev" in
        --port)
            COMPREPLY=($(compgen -W "$(ls -d /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* /dev/serial/by-id/* /dev/pts/[0-9]* 2>/dev/null)" -- "$cur"))
            return ;;
        --ports-file|--log|--log-summary)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        --ports-from-glob)
            COMPREPLY=($(compgen -W "'/dev/ttyUSB*' '/dev/ttyACM*' '/dev/serial/by-path/*'" -- "$cur"))
            return ;;
        --file)
            COMPREPLY=($(compgen -f -X '!*.@(hex|HEX|bin|BIN|dat|DAT|vxc|VXC|vxg|VXG)' -- "$cur") $(compgen -d -S / -- "$cur"))
            compopt -o nospace 2>/dev/null
            return ;;
        --485port|--ledport)
            COMPREPLY=($(compgen -W "P0 P1 P2 P3 none" -- "$cur"))
            return ;;
        --485bit|--ledbit)
            COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7" -- "$cur"))
            return ;;
        --format)
            COMPREPLY=($(compgen -W "8E1 8N1 8O1 8E2 8N2 8O2 7E1 7O1" -- "$cur"))
            return ;;
        --baud)
            COMPREPLY=($(compgen -W "9600 19200 38400 57600 115200" -- "$cur"))
            return ;;
        --begin)
            COMPREPLY=($(compgen -W "0 0x6000" -- "$cur"))
            return ;;
        --slave|--timeout|--retries|--seed)
            return ;;
    esac
    local shopt_extglob
    shopt_extglob=$(shopt -p extglob)
    shopt -s extglob
    COMPREPLY=($(compgen -W "--port --file --begin --slave --notenc --485port --485bit --ledport --ledbit
        --baud --format --timeout --retries --seed --confirm-all --quiet --trace --list-ports --json --ports-file --ports-from-glob --repeat --log
        --log-summary --help --version" -- "$cur"))
    eval "$shopt_extglob"
}
complete -F _zqflash zqflash
