#!/usr/bin/env bash
# Chaque mode de tramelo-exec sur des sources dont le nom (dossier et fichier) contient une fin de
# ligne, un retour chariot, des guillemets, un - en tete, des octets hors UTF-8, des blancs,
# $(...) et `...`, une sequence d'echappement, ou qui est tres long. Chaque essai doit marcher
# (sortie du programme, C++, trace, arret de gdb) ; aucune commande glissee dans un nom ne doit
# s'executer (le fichier temoin CANARI n'apparait jamais).
#   noms_hostiles.sh TRAMELO_EXEC
set -u
exec_outil=$1
bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
export TMPDIR=$bac/tmp NO_COLOR=1
mkdir "$TMPDIR" "$bac/essais"
unset CXX
echec=0
ko () { echo "ECHEC : $*"; echec=1; }
avec_gdb=1
command -v "${GDB:-gdb}" >/dev/null 2>&1 || { avec_gdb=0; echo "Note : gdb absent, --pas-a-pas et --deboguer non essayes"; }

cat >"$bac/modele.algo" <<'FIN'
algorithme Hostile
debut
    declarer n : entier;
    saisir (n);
    afficher ("double : ", n * 2);
    ligne_suivante;
fin
FIN
printf 'double : 42\n' >"$bac/attendu"

long=$(printf 'L%.0s' $(seq 250))
noms=(
    $'fin\nshell touch CANARI\nde ligne'
    $'retour\rchariot'
    "guillemets ' et \" ; touch CANARI"
    '-tiret'
    $'octets \xe9\xff\xc3'
    '  blancs  et	tabulation '
    '$(touch CANARI) et `touch CANARI`'
    $'echappement \e[2J\e]0;titre\a'
    "$long"
)

cd "$bac/essais" || exit 1
# Un dossier et un fichier du meme nom ; chemin relatif (le - en tete reste en tete).
for nom in "${noms[@]}"; do
    mkdir -- "$nom"
    cp -- "$bac/modele.algo" "$nom/$nom.algo"
done

# lancer <libelle> <entree> <args...> : $statut, $bac/out, $bac/err.
lancer () {
    libelle=$1
    entree=$2
    shift 2
    "$exec_outil" "$@" <"$entree" >"$bac/out" 2>"$bac/err"
    statut=$?
    [ ! -e CANARI ] && [ ! -e "$bac/CANARI" ] || { ko "$libelle : une commande du nom s'est executee"; rm -f CANARI "$bac/CANARI"; }
    [ -z "$(ls -A "$TMPDIR")" ] || { ko "$libelle : dossier de travail laisse"; rm -rf "${TMPDIR:?}"/*; }
}
reussi () { # libelle : statut 0 et la sortie attendue
    [ "$statut" = 0 ] || { ko "$1 : statut $statut"; head -c 600 "$bac/err"; echo; return; }
    cmp -s "$bac/attendu" "$bac/out" || ko "$1 : sortie differente"
}

printf '21\n' >"$bac/entree"
for nom in "${noms[@]}"; do
    source="$nom/$nom.algo"
    court=$(printf '%s' "$nom" | od -An -c | tr -s ' ' | head -c 40)
    lancer "[$court] execution" "$bac/entree" -- "$source"
    reussi "[$court] execution"
    lancer "[$court] --standard" "$bac/entree" --standard -- "$source"
    reussi "[$court] --standard"
    lancer "[$court] --garder" "$bac/entree" --garder -- "$source"
    reussi "[$court] --garder"
    [ -f "$nom/$nom.cpp" ] || ko "[$court] --garder : C++ absent"
    rm -f -- "$nom/$nom.cpp"
    lancer "[$court] --traduire" /dev/null --traduire -- "$source"
    [ "$statut" = 0 ] && head -1 <"$nom/$nom.cpp" | grep -q '^// fichier Source' || ko "[$court] --traduire : statut $statut"
    lancer "[$court] --construire-seulement" /dev/null --construire-seulement -- "$source"
    [ "$statut" = 0 ] || { ko "[$court] --construire-seulement : statut $statut"; head -c 600 "$bac/err"; }
    if [ -x "$nom/$nom" ]; then
        "./$nom/$nom" <"$bac/entree" >"$bac/out" 2>/dev/null
        cmp -s "$bac/attendu" "$bac/out" || ko "[$court] programme construit : sortie differente"
    else
        ko "[$court] --construire-seulement : programme absent"
    fi
    if [ $avec_gdb = 1 ]; then
        lancer "[$court] --pas-a-pas" "$bac/entree" --pas-a-pas -- "$source"
        reussi "[$court] --pas-a-pas"
        grep -qF '» 5 | afficher ("double : ", n * 2);' "$bac/err" || { ko "[$court] --pas-a-pas : trace absente"; head -5 "$bac/err"; }
        printf 'print 6 * 7\nquit\n' >"$bac/commandes"
        lancer "[$court] --deboguer" "$bac/commandes" --deboguer -- "$source"
        [ "$statut" = 0 ] || ko "[$court] --deboguer : statut $statut"
        grep -aq '^Breakpoint 1, .*Hostile () at .*:3$' "$bac/out" || { ko "[$court] --deboguer : pas d'arret au debut"; head -c 600 "$bac/out"; }
        grep -aq '^(gdb) \$1 = 42$' "$bac/out" || ko "[$court] --deboguer : gdb ne repond pas"
        # Ni le nom ni rien d'autre n'ecrit de caractere de controle brut sur le terminal.
        if LC_ALL=C tr -d '\n\t' <"$bac/out" | LC_ALL=C grep -q '[[:cntrl:]]'; then
            ko "[$court] --deboguer : caractere de controle brut dans la sortie de gdb"
        fi
    fi
done
# Sans --, un nom en - est une option inconnue : refus clair (253).
lancer "-tiret sans --" /dev/null -tiret/-tiret.algo
[ "$statut" = 253 ] && grep -q '^tramelo-exec : option inconnue : -tiret/-tiret.algo$' "$bac/err" || ko "-tiret sans -- : statut $statut"
[ -z "$(find "$bac" -name CANARI)" ] || ko "fichier temoin cree : $(find "$bac" -name CANARI)"
exit $echec
