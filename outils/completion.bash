# Completion bash de Tramelo, de tramelo-exec et de tramelo-verifier : propose les fichiers .algo
# (et les dossiers pour y descendre), puis rien pour la taille de tabulation ; tramelo-verifier
# prend plusieurs fichiers et ses options.
# Installe sous les trois noms dans .../bash-completion/completions/.

_tramelo_completer ()
{
    local mot=${COMP_WORDS[COMP_CWORD]}
    local i nb_args=0 avec_options=0
    [ "${COMP_WORDS[0]##*/}" = tramelo-exec ] && avec_options=1
    if [ "${COMP_WORDS[0]##*/}" = tramelo-verifier ]; then
        COMPREPLY=()
        case ${COMP_WORDS[COMP_CWORD - 1]} in
            --tabulation) return 0 ;;
            --format) COMPREPLY=( $(compgen -W 'texte json' -- "$mot") ); return 0 ;;
        esac
        if [[ $mot == -* ]]; then
            COMPREPLY=( $(compgen -W '--tabulation --format=texte --format=json --aide' -- "$mot") )
            return 0
        fi
    fi

    # Nombre d'arguments deja donnes, options mises a part (tramelo-verifier en prend autant
    # qu'on veut).
    [ "${COMP_WORDS[0]##*/}" = tramelo-verifier ] || for (( i = 1; i < COMP_CWORD; i++ )); do
        case ${COMP_WORDS[i]} in
            --aide) return 0 ;;
            --garder|--) [ $avec_options = 1 ] || nb_args=$((nb_args + 1)) ;;
            *) nb_args=$((nb_args + 1)) ;;
        esac
    done
    COMPREPLY=()
    [ $nb_args -ge 1 ] && return 0

    if [ $avec_options = 1 ] && [[ $mot == -* ]]; then
        COMPREPLY=( $(compgen -W '--garder --aide' -- "$mot") )
        return 0
    fi

    if declare -F _filedir >/dev/null 2>&1; then
        # _filedir lit le mot a completer dans cur, que bash-completion ne pose pas pour nous.
        local cur=$mot
        _filedir algo
    else
        local IFS=$'\n'
        compopt -o filenames 2>/dev/null
        COMPREPLY=( $(compgen -d -- "$mot") $(compgen -f -X '!*.algo' -- "$mot") )
    fi
}

complete -F _tramelo_completer Tramelo tramelo-exec tramelo-verifier
