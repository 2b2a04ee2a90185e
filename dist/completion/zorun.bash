# bash completion for zorun and zorun-session (which passes its arguments on
# to zorun).

_zorun() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local IFS=$'\n'
    case $prev in
    --device-root)
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -d -- "$cur"))
        return
        ;;
    --script)
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    --backend)
        COMPREPLY=($(compgen -W $'x11\nsdl' -- "$cur"))
        return
        ;;
    --scale)
        COMPREPLY=($(compgen -W $'1\n2\n3\n4\n5\n6\n7\n8' -- "$cur"))
        return
        ;;
    esac
    local options=$'--device-root\n--scale\n--fullscreen\n--backend\n--headless\n--script\n--no-sip\n--help\n--version'
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
}
complete -F _zorun zorun zorun-session
