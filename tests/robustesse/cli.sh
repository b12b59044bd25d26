#!/usr/bin/env bash
# Comportement de la ligne de commande que les cas de reference (un .algo et sa largeur)
# ne peuvent pas exprimer : nombre d'arguments, largeurs refusees, fichier absent ou dossier,
# sortie standard impossible a ecrire.
#   cli.sh CHEMIN_DE_TRAMELO
set -u
tramelo=$1
case $tramelo in /*) ;; *) tramelo=$PWD/$tramelo ;; esac
tmp=$(mktemp -d)
trap 'chmod -R u+rwx "$tmp"; rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
echecs=0

usage=$'Nombre d\'arguments invalide\nUsage : Tramelo nom_de_fichier_algo [taille_tabulation]'
tabulation='Taille de tabulation invalide'

# Un source dont la traduction montre la largeur : une tabulation dans une chaine.
printf 'algorithme A\ndebut\n    afficher ("ab\tc|");\nfin\n' >tab.algo

# verifier LIBELLE STATUT ERREUR SORTIE -- ARGUMENTS...
#   ERREUR : texte exact attendu sur la sortie d'erreur (sans le saut de ligne final)
#   SORTIE : "vide", ou un motif que la sortie standard doit contenir (grep -F)
verifier() {
    local libelle=$1 statut=$2 erreur=$3 sortie=$4
    shift 5
    "$tramelo" "$@" >out 2>err
    local code=$?
    local ok=1
    if [ "$code" != "$statut" ]; then
        echo "--- $libelle : statut $code au lieu de $statut"
        ok=0
    fi
    if [ -n "$erreur" ] || [ -s err ]; then
        if [ -z "$erreur" ]; then : >attendu; else printf '%s\n' "$erreur" >attendu; fi
        if ! cmp -s attendu err; then
            echo "--- $libelle : sortie d'erreur differente (attendu / obtenu)"
            diff attendu err
            ok=0
        fi
    fi
    if [ "$sortie" = vide ]; then
        if [ -s out ]; then
            echo "--- $libelle : sortie standard non vide"
            head -5 out
            ok=0
        fi
    elif ! grep -qF -- "$sortie" out; then
        echo "--- $libelle : la sortie standard ne contient pas : $sortie"
        grep -F 'cout << (string' out | head -5
        ok=0
    fi
    if [ $ok = 0 ]; then
        echo "    commande : Tramelo $(printf '[%s] ' "$@")"
        echecs=$((echecs + 1))
    fi
}

large4='cout << (string ("ab   c|"));'
large8='cout << (string ("ab       c|"));'

# Nombre d'arguments.
verifier "sans argument"        253 "$usage" vide --
verifier "trois arguments"      253 "$usage" vide -- tab.algo 4 en_trop
verifier "trois arguments vides" 253 "$usage" vide -- "" "" ""

# Largeurs acceptees : lues comme un entier non signe, blancs devant permis.
verifier "largeur par defaut"   0 "" "$large4" -- tab.algo
verifier "largeur 8"            0 "" "$large8" -- tab.algo 8
verifier "largeur ' 8'"         0 "" "$large8" -- tab.algo " 8"
verifier "largeur '+8'"         0 "" "$large8" -- tab.algo "+8"
verifier "largeur 0008"         0 "" "$large8" -- tab.algo 0008
verifier "largeur tabulation 8" 0 "" "$large8" -- tab.algo $'\t8'
verifier "largeur 1"            0 "" 'cout << (string ("ab c|"));' -- tab.algo 1
verifier "largeur 1000"         0 "" 'cout << (string ("ab' -- tab.algo 1000

# Largeurs refusees, avant toute ouverture du fichier et sans rien ecrire.
for largeur in "8 " "8x" "x" "" " " "+" "0" "1001" "-1" "-0" "- 8" "8.0" "4294967304" "99999999999999999999"; do
    verifier "largeur '$largeur'" 253 "$tabulation" vide -- tab.algo "$largeur"
done
verifier "largeur refusee et fichier absent" 253 "$tabulation" vide -- absent.algo x

# Fichier qu'on ne peut pas lire : jamais un source vide.
verifier "fichier absent"       252 "Erreur a l'ouverture du fichier ./absent.algo" vide -- ./absent.algo
verifier "fichier absent et largeur" 252 "Erreur a l'ouverture du fichier absent.algo" vide -- absent.algo 8
mkdir dossier.algo
verifier "dossier"              252 "Erreur a l'ouverture du fichier dossier.algo" vide -- dossier.algo
verifier "dossier (barre finale)" 252 "Erreur a l'ouverture du fichier dossier.algo/" vide -- dossier.algo/
if [ "$(id -u)" != 0 ]; then
    cp tab.algo interdit.algo
    chmod 000 interdit.algo
    verifier "fichier illisible" 252 "Erreur a l'ouverture du fichier interdit.algo" vide -- interdit.algo
fi

# Sortie standard impossible a ecrire : la traduction ne doit pas passer pour reussie.
if [ -w /dev/full ]; then
    "$tramelo" tab.algo >/dev/full 2>err
    code=$?
    if [ "$code" != 254 ] || ! grep -q '^Exception standard : ' err; then
        echo "--- sortie sur /dev/full : statut $code (attendu 254), erreur :"
        cat err
        echecs=$((echecs + 1))
    fi
fi

# Source trop volumineux (plus de 256 Mo, tabulations developpees) : refus clair et rapide, sans
# epuiser la memoire ; un flux sans fin (/dev/zero) est lu jusqu'a la limite seulement.
trop="Exception standard : source trop volumineux : plus de 256 Mo une fois les tabulations developpees"
head -c 1000000 /dev/zero | tr '\0' '\t' >tabs.algo
verifier "un million de tabulations de largeur 1000" 254 "$trop" vide -- tabs.algo 1000
verifier "flux sans fin" 254 "$trop" vide -- /dev/zero
# Juste sous la limite, les positions restent exactes : l'erreur est sur la derniere ligne.
{ head -c 500000 /dev/zero | tr '\0' '\t'; printf '\n\n}\n'; } >tabs-ok.algo
verifier "500 000 tabulations de largeur 500" 102 \
    "Ligne    2 - \"procedure\", \"fonction\" ou \"algorithme\" attendus" "// fichier Source" -- tabs-ok.algo 500

if [ $echecs != 0 ]; then
    echo "$echecs verification(s) en echec"
    exit 1
fi
echo "ligne de commande : toutes les verifications passent"
