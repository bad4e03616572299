# bash completion for zqflasher: its options, and the program files it opens.
_zqflasher()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
        --platform)
            COMPREPLY=($(compgen -W "xcb wayland offscreen" -- "$cur"))
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--unattended --platform --help --version" -- "$cur"))
        return
    fi
    _filedir '@(vxg|VXG|vxc|VXC|hex|HEX|bin|BIN|dat|DAT)'
} && complete -F _zqflasher zqflasher
