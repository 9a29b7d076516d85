# bash completion for velmora-cli
_velmora_cli()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        --game-data)
            _filedir -d
            return ;;
        --colors)
            _filedir
            return ;;
        -o | --output)
            if [[ " ${words[*]} " == *" render "* ]]; then _filedir '@(png|PNG)'; else _filedir '@(scm|scx|SCM|SCX)'; fi
            return ;;
        --tile-size)
            COMPREPLY=($(compgen -W '1 2 4 8 16 32' -- "$cur"))
            return ;;
        --fit)
            COMPREPLY=($(compgen -W 'none stretch contain cover' -- "$cur"))
            return ;;
        --resample)
            COMPREPLY=($(compgen -W 'area nearest' -- "$cur"))
            return ;;
        --tileset)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W $'Badlands\nSpace Platform\nInstallation\nAsh World\nJungle World\nDesert\nIce\nTwilight\n0\n1\n2\n3\n4\n5\n6\n7' -- "$cur"))
            COMPREPLY=("${COMPREPLY[@]// /\\ }")
            return ;;
    esac

    # The command is the first word that is not an option or an option's value.
    local i command="" position=0
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --colors | --tileset | -o | --output | --game-data | --tile-size | --fit | --resample) ((i++)) ;;
            -*) ;;
            *) if [[ -z $command ]]; then command=${words[i]}; else ((position++)); fi ;;
        esac
    done

    if [[ $cur == -* ]]; then
        case $command in
            colors) COMPREPLY=($(compgen -W '--template --match --dither --fit --resample --game-data --help' -- "$cur")) ;;
            convert) COMPREPLY=($(compgen -W '--colors --match --dither --vary --fit --resample --game-data --tileset -o --output --help' -- "$cur")) ;;
            render) COMPREPLY=($(compgen -W '-o --output --game-data --tile-size --help' -- "$cur")) ;;
            *) COMPREPLY=($(compgen -W '--help --version' -- "$cur")) ;;
        esac
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'info colors convert render data' -- "$cur"))
        return
    fi
    case $position in
        0) if [[ $command == data ]]; then _filedir -d; else _filedir '@(scm|scx|SCM|SCX)'; fi ;;
        1) [[ $command != info && $command != render && $command != data ]] && _filedir '@(bmp|gif|jpg|jpeg|png|BMP|GIF|JPG|JPEG|PNG)' ;;
    esac
} &&
    complete -F _velmora_cli velmora-cli
