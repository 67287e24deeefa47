# SPDX-License-Identifier: MIT
# bash completion for tvrtool: subcommands, their options, and the files each one takes.
_tvrtool()
{
    local cur prev words cword
    _init_completion || return

    local subcommands="show check export import diff render program match set copy swap help"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$subcommands --help --version" -- "$cur"))
        return
    fi

    local sub=${words[1]} options
    case $sub in
        show) options="--codes --width --code-page --help" ;;
        check) options="--json --code-page --help" ;;
        export) options="--output --force --code-page --help" ;;
        import) options="--output --force --code-page --help" ;;
        diff) options="--json --code-page --help" ;;
        render) options="--output --force --dpi --portrait --landscape --code-page --help" ;;
        program) options="--key --all --code-page --help" ;;
        match) options="--code-page --help" ;;
        set) options="--label --color --codes --keys --output --force --code-page --help" ;;
        copy | swap) options="--output --force --code-page --help" ;;
        help)
            COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
            return
            ;;
        *) return ;;
    esac

    case $prev in
        -o | --output)
            case $sub in
                export) _filedir json ;;
                import | set | copy | swap) _filedir '@(tvr|qld)' ;;
                render) _filedir '@(pdf|png)' ;;
            esac
            return
            ;;
        --code-page)
            COMPREPLY=($(compgen -W "932 1252 system" -- "$cur"))
            return
            ;;
        --dpi | --key | --width | --label | --color | --codes | --keys) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $sub == import ]]; then
        _filedir json
    else
        _filedir '@(tvr|qld)'
    fi
}
complete -F _tvrtool tvrtool
