# bash completion for mendwright-cli: commands, their options, and file or
# folder arguments where each command takes them.
_mendwright_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="create extract update update-tracks undo history list verify find"
    local common="-v --verbose -q --quiet -h --help --version"

    if [[ $prev == --gp4 ]]; then
        _filedir -d
        return
    fi
    # --steps takes a number, which nothing completes.
    [[ $prev == --steps ]] && return

    local command="" operands=0 i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --gp4 | --steps) ((i++)) ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${words[i]}
                else
                    ((operands++))
                fi
                ;;
        esac
    done

    if [[ $cur == -* ]]; then
        local options=$common
        case $command in
            create) options+=" --force --no-undo" ;;
            update) options+=" --dry-run --no-wait --no-undo" ;;
            update-tracks) options+=" --dry-run --no-wait --no-undo --gp4" ;;
            undo) options+=" --steps --no-wait" ;;
            list) options+=" --json" ;;
            find) options+=" --gp4" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi

    # What the next operand is: an archive, a folder, or either.
    case $command:$operands in
        create:0) _filedir -d ;;
        create:1 | extract:0 | update:1 | list:0 | verify:0 | undo:0 | history:0) _filedir wad ;;
        extract:1) _filedir -d ;;
        update:0 | update-tracks:0) _filedir ;;
    esac
}
complete -F _mendwright_cli mendwright-cli
