# Bash completion for connsheet: subcommands, each subcommand's options (read from its --help, so they
# follow the program) and the library's sheet names (from "connsheet sheets", honouring --lib).
_connsheet() {
    local cur prev words cword
    _init_completion || return

    local command="" lib=() i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --lib) lib=(--lib "${words[i + 1]}"); ((i++)) ;;
            --lib=*) lib=("${words[i]}") ;;
            -*) ;;
            *) [[ -z $command ]] && command="${words[i]}" ;;
        esac
    done

    case "$prev" in
        --module | --pick)
            return ;;
        --lib | --macros | --out-dir)
            _filedir -d
            return ;;
        --macro | --jsonl | --report | --out | --maps-to | --gen | -j | --jobs)
            [[ $prev == --macro || $prev == --jsonl || $prev == --report || $prev == --out ]] && _filedir
            return ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version --lib" -- "$cur"))
        else
            local subcommands
            subcommands=$("${words[0]}" --help 2>/dev/null | sed -n '/^Subcommands:/,$ s/^  \([a-z][a-z-]*\) .*/\1/p')
            COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
        fi
        return
    fi

    if [[ $cur == -* ]]; then
        local options
        options=$("${words[0]}" "$command" --help 2>/dev/null | grep -o -- '--\?-[A-Za-z][A-Za-z-]*' | sort -u)
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # Words after the subcommand that are not options nor their values: the sheet, then files.
    local positionals=0 seen=0
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --lib | --macro | --maps-to | --gen | --out | --jsonl | --macros | --out-dir | --report | -j | --jobs) ((i++)) ;;
            -*) ;;
            *) if ((seen)); then ((positionals++)); else seen=1; fi ;;
        esac
    done

    case "$command" in
        run | batch | eval | check)
            if ((positionals == 0)); then
                COMPREPLY=($(compgen -W "$("${words[0]}" "${lib[@]}" sheets 2>/dev/null)" -- "$cur"))
                _filedir vls  # a sheet may also be given as a file
            elif [[ $command == batch ]]; then
                _filedir json
            fi
            ;;
        calc) _filedir ;;
        select-macro) _filedir ;;  # the step file and the picture
        cuts) _filedir json ;;
        edit-macro) _filedir json ;;
        map)
            if ((positionals == 0)); then
                COMPREPLY=($(compgen -W "$("${words[0]}" "${lib[@]}" sheets 2>/dev/null)" -- "$cur"))
                _filedir vls
            fi
            ;;
    esac
}
complete -F _connsheet connsheet
