# Completion bash de Tramelo et de tramelo-exec : propose les fichiers .algo (et les dossiers
# pour y descendre), puis rien pour la taille de tabulation.
# Installe sous les deux noms dans .../bash-completion/completions/.

_tramelo_completer ()
{
    local mot=${COMP_WORDS[COMP_CWORD]}
    local i nb_args=0 avec_options=0
    [ "${COMP_WORDS[0]##*/}" = tramelo-exec ] && avec_options=1

    # Nombre d'arguments deja donnes, options mises a part.
    for (( i = 1; i < COMP_CWORD; i++ )); do
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
        # _filedir complete le mot de la variable cur.
        local cur=$mot
        _filedir algo
    else
        local IFS=$'\n'
        compopt -o filenames 2>/dev/null
        COMPREPLY=( $(compgen -d -- "$mot") $(compgen -f -X '!*.algo' -- "$mot") )
    fi
}

complete -F _tramelo_completer Tramelo tramelo-exec
