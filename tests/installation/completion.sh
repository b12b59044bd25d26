#!/bin/sh
# Completion bash de Tramelo, tramelo-exec et tramelo-organigramme, essayee par readline pour de vrai : un bash
# interactif dans un pseudo-terminal (script) recoit des debuts de ligne suivis de Tab puis
# Entree, et les arguments recus par la commande sont compares aux attendus. Noms de fichiers
# avec blancs, guillemets, apostrophe, [ et - en tete ; avec et sans bash-completion.
#   completion.sh <outils/completion.bash>
set -u
completion=$(cd "$(dirname "$1")" && pwd)/${1##*/}
[ -f "$completion" ] || { echo "ECHEC : $1 introuvable"; exit 1; }
command -v bash >/dev/null 2>&1 || { echo "Test saute : bash absent"; exit 77; }
command -v script >/dev/null 2>&1 || { echo "Test saute : script absent"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0
ko () { echo "ECHEC : $*"; echec=1; }

d=$tmp/essais
mkdir -p "$d/sous dossier"
for f in "mon essai.algo" "mon essai.txt" "sous dossier/x y.algo" "l'essai.algo" "-x.algo" \
    "[ab].algo" a.algo notes.txt; do
    : >"$d/$f"
done

# Ligne tapee (suivie de Tab puis Entree) et arguments attendus, separes par ;.
cat >"$tmp/cas" <<'FIN'
tramelo-exec mon|mon essai.algo;
tramelo-exec mon\ e|mon essai.algo;
tramelo-exec "mon e|mon essai.algo;
tramelo-exec 'mon e|mon essai.algo;
Tramelo sous|sous dossier/;
Tramelo sous\ dossier/|sous dossier/x y.algo;
tramelo-exec --garder l|--garder;l'essai.algo;
tramelo-exec -- -|--;-x.algo;
tramelo-exec [|[ab].algo;
tramelo-exec --tr|--traduire;
tramelo-exec --pas|--pas-a-pas;
tramelo-exec --pas-a-pas --limite 50 mon|--pas-a-pas;--limite;50;mon essai.algo;
tramelo-exec --st|--standard;
Tramelo not|not;
tramelo-organigramme --for|--format;
tramelo-organigramme --format me|--format;mermaid;
tramelo-organigramme mon|mon essai.algo;
tramelo-organigramme -o no|-o;notes.txt;
FIN

# attendre <fichier> <nb de lignes> <dixiemes de seconde> : faux si le delai passe.
attendre () {
    i=0
    while [ "$(wc -l <"$1")" -lt "$2" ]; do
        i=$((i + 1))
        [ $i -lt "$3" ] || return 1
        sleep 0.1
    done
}

for bc in "" /usr/share/bash-completion/bash_completion; do
    [ -z "$bc" ] || [ -f "$bc" ] || { echo "Note : bash-completion absent, essaye sans"; continue; }
    : >"$tmp/invites"
    : >"$tmp/obtenu"
    # Chaque invite est notee : on ne tape qu'une fois readline pret a lire, et chaque resultat
    # porte le numero de son invite.
    cat >"$tmp/rc" <<FIN
PS1='$ '
cd "$d" || exit 1
${bc:+. "$bc"}
. "$completion" || exit 1
tramelo-exec () { printf '%s|' "\$(wc -l <"$tmp/invites")" >>"$tmp/obtenu"; printf '%s;' "\$@" >>"$tmp/obtenu"; echo >>"$tmp/obtenu"; }
Tramelo () { tramelo-exec "\$@"; }
tramelo-organigramme () { tramelo-exec "\$@"; }
PROMPT_COMMAND='echo >>"$tmp/invites"'
FIN
    {
        n=1
        while IFS='|' read -r ligne attendu; do
            attendre "$tmp/invites" $n 200 || break
            # Touches espacees, comme tapees : readline traite Tab avant de lire la suite.
            sleep 0.2
            printf '%s' "$ligne"
            sleep 0.2
            printf '\t'
            sleep 0.3
            printf '\n'
            # Ligne restee ouverte (guillemet non ferme) : Ctrl-C rend l'invite.
            attendre "$tmp/invites" $((n + 1)) 30 || printf '\003'
            n=$((n + 1))
            attendre "$tmp/invites" $n 200 || break
        done <"$tmp/cas"
        printf 'exit\n'
    } | timeout 120 script -qec "bash --noprofile --rcfile '$tmp/rc' -i" /dev/null >/dev/null 2>&1
    n=0
    while IFS='|' read -r ligne attendu; do
        n=$((n + 1))
        obtenu=$(sed -n "s/^$n|//p" "$tmp/obtenu")
        [ "$obtenu" = "$attendu" ] || ko "${bc:+avec bash-completion : }'$ligne' + Tab donne '$obtenu' au lieu de '$attendu'"
    done <"$tmp/cas"
done
[ $echec = 0 ] && echo "Completion verifiee"
exit $echec
