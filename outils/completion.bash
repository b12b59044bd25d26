# Completion bash de Tramelo, de tramelo-exec, de tramelo-verifier et de tramelo-organigramme :
# propose les fichiers .algo (et les dossiers pour y descendre), puis rien pour la taille de
# tabulation ; tramelo-verifier prend plusieurs fichiers et ses options, tramelo-organigramme ses
# options (formats, fichier de sortie).
# Installe sous chacun de ces noms dans .../bash-completion/completions/ ; marche aussi chargee seule.

_tramelo_completer ()
{
    # cur, words, cword : le mot a completer, les mots, son rang ; _filedir lit cur.
    # shellcheck disable=SC2034 # prev : rempli par _init_completion, garde local
    local cur prev words cword
    if declare -F _init_completion >/dev/null 2>&1; then
        _init_completion || return 0
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    fi
    local i nb_args=0 avec_options=0 fin_options=0 commande=${words[0]##*/}
    [ "$commande" = tramelo-exec ] && avec_options=1
    COMPREPLY=()

    # Les resultats sont lus ligne a ligne (mapfile) : ni coupes aux blancs, ni developpes
    # comme des motifs (un nom contenant * ou [).
    if [ "$commande" = tramelo-organigramme ]; then
        case ${words[cword - 1]} in
            --tabulation|--unite) return 0 ;;
            --format) mapfile -t COMPREPLY < <(compgen -W 'svg dot mermaid' -- "$cur"); return 0 ;;
            -o|--sortie)
                # Le fichier a ecrire : n'importe quel nom.
                if declare -F _filedir >/dev/null 2>&1; then
                    _filedir
                else
                    compopt -o filenames 2>/dev/null
                    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                fi
                return 0 ;;
        esac
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--format --unite --tabulation -o --sortie --aide' -- "$cur")
            return 0
        fi
    elif [ "$commande" = tramelo-noter ]; then
        # Options, puis deux dossiers : l'exercice et les copies.
        case ${words[cword - 1]} in
            -j|--page) return 0 ;;
            --exporter) mapfile -t COMPREPLY < <(compgen -W 'moodle lien' -- "$cur"); return 0 ;;
        esac
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '-j -o --interprete --compiler --exporter --page --aide' -- "$cur")
            return 0
        fi
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return 0
    elif [ "$commande" = tramelo-verifier ]; then
        case ${words[cword - 1]} in
            --tabulation) return 0 ;;
            --format) mapfile -t COMPREPLY < <(compgen -W 'texte json' -- "$cur"); return 0 ;;
        esac
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--tabulation --format=texte --format=json --aide' -- "$cur")
            return 0
        fi
    else
        # Nombre d'arguments deja donnes, options mises a part ; apres --, plus d'option.
        for (( i = 1; i < cword; i++ )); do
            if [ $avec_options = 1 ] && [ $fin_options = 0 ]; then
                case ${words[i]} in
                    --aide) return 0 ;;
                    --garder|--traduire|--standard|--pas-a-pas|--deboguer|--construire-seulement|--limite=*) continue ;;
                    --limite|--tester) i=$((i + 1)); continue ;;
                    --) fin_options=1; continue ;;
                esac
            fi
            nb_args=$((nb_args + 1))
        done
        [ $nb_args -ge 1 ] && return 0
        # Apres --limite vient un nombre de lignes : rien a proposer.
        [ $avec_options = 1 ] && [ "${words[cword - 1]}" = --limite ] && return 0
        # Apres --tester vient le dossier d'un exercice.
        if [ $avec_options = 1 ] && [ "${words[cword - 1]}" = --tester ]; then
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return 0
        fi
        if [ $avec_options = 1 ] && [ $fin_options = 0 ] && [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--garder --traduire --standard --pas-a-pas --limite --deboguer --construire-seulement --tester --aide' -- "$cur")
            return 0
        fi
    fi
    if declare -F _filedir >/dev/null 2>&1; then
        _filedir algo
    else
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.algo' -- "$cur")
    fi
}

complete -F _tramelo_completer Tramelo tramelo-exec tramelo-verifier tramelo-organigramme tramelo-noter
