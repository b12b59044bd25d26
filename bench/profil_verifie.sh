#!/usr/bin/env bash
# Cout du profil verifie (hors suite de tests) :
#  1. traduction : Tramelo (profil standard) et tramelo-exec --traduire (verification + profil
#     verifie) sur le meme source realiste ;
#  2. execution : les programmes de bench/programmes (crible, tri, chaines, recursion) compiles
#     -O1 dans les deux profils, meilleur temps de N executions, et le rapport verifie/standard ;
#     avec --avant DOSSIER, aussi le profil verifie d'une construction plus ancienne ;
#  3. pas a pas : lignes tracees par seconde sous gdb (boucle sans fin arretee par --limite).
#   bash bench/profil_verifie.sh [dossier de construction] [--repetitions N] [--avant DOSSIER]
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
construction=${1:-$ici/../build/default}
repetitions=5
avant=
[ $# -gt 0 ] && shift
while [ $# -gt 1 ]; do
    case $1 in
        --repetitions) repetitions=$2 ;;
        --avant) avant=$(cd "$2" && pwd) ;;
        *) echo "option inconnue : $1" >&2; exit 2 ;;
    esac
    shift 2
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Temps processeur (utilisateur + systeme) : sur une machine partagee, le temps reel depend
# surtout de la charge des autres.
meilleur () { # commande... : meilleur temps processeur (s) sur $repetitions executions
    local m=
    for _ in $(seq "$repetitions"); do
        local t
        /usr/bin/time -o "$tmp/temps" -f '%U %S' "$@" >/dev/null 2>&1
        t=$(tail -1 "$tmp/temps" | awk '{ printf "%.2f", $1 + $2 }')
        if [ -z "$m" ] || awk -v a="$t" -v b="$m" 'BEGIN { exit !(a < b) }'; then m=$t; fi
    done
    echo "$m"
}

python3 -c "
import sys
sys.path.insert(0, '$ici')
import bench
open('$tmp/source.algo', 'w').write(bench.source_unites(2_000_000))
"
echo "Traduction d'un source realiste de $(du -k "$tmp/source.algo" | cut -f1) Ko :"
echo "  Tramelo                    : $(meilleur "$construction/Tramelo" "$tmp/source.algo") s"
echo "  tramelo-exec --traduire    : $(meilleur "$construction/tramelo-exec" --traduire "$tmp/source.algo") s"

# Chaque programme de bench/programmes, compile -O1 dans les deux profils (et, avec --avant,
# dans le profil verifie d'une construction plus ancienne) : memes sorties exigees.
echo "Execution (-O1, meilleur de $repetitions) : standard, verifie, rapport${avant:+, verifie avant, rapport avant}"
for algo in "$ici"/programmes/*.algo; do
    nom=$(basename "$algo" .algo)
    mkdir -p "$tmp/$nom" "$tmp/$nom.avant"
    cp "$algo" "$tmp/$nom/"
    "$construction/Tramelo" "$algo" >"$tmp/$nom/standard.cpp"
    "$construction/tramelo-exec" --traduire "$tmp/$nom/$nom.algo"
    g++ -std=c++17 -O1 -o "$tmp/$nom/standard" "$tmp/$nom/standard.cpp"
    g++ -std=c++17 -O1 -o "$tmp/$nom/verifie" "$tmp/$nom/$nom.cpp"
    attendu=$("$tmp/$nom/standard")
    [ "$attendu" = "$("$tmp/$nom/verifie")" ] || { echo "$nom : sorties differentes"; exit 1; }
    s=$(meilleur "$tmp/$nom/standard")
    v=$(meilleur "$tmp/$nom/verifie")
    ligne="  $nom : $s s, $v s, $(awk -v a="$v" -v b="$s" 'BEGIN { printf "%.2f", a / b }')"
    if [ -n "$avant" ]; then
        cp "$algo" "$tmp/$nom.avant/"
        "$avant/tramelo-exec" --traduire "$tmp/$nom.avant/$nom.algo"
        g++ -std=c++17 -O1 -o "$tmp/$nom.avant/verifie" "$tmp/$nom.avant/$nom.cpp"
        [ "$attendu" = "$("$tmp/$nom.avant/verifie")" ] || echo "  ($nom : le profil verifie d'avant affiche autre chose)"
        a=$(meilleur "$tmp/$nom.avant/verifie")
        ligne="$ligne, $a s, $(awk -v a="$a" -v b="$s" 'BEGIN { printf "%.2f", a / b }')"
    fi
    echo "$ligne"
done

printf 'algorithme Boucle\ndebut\n    declarer n : entier;\n    boucle\n        n <- n + 1;\n    fboucle\nfin\n' >"$tmp/boucle.algo"
debut=$(date +%s.%N)
"$construction/tramelo-exec" --pas-a-pas --limite 1000 "$tmp/boucle.algo" </dev/null >/dev/null 2>&1 || true
fin=$(date +%s.%N)
echo "Pas a pas, 1 000 lignes (compilation comprise) : $(awk -v a="$debut" -v b="$fin" 'BEGIN { printf "%.1f", b - a }') s"
