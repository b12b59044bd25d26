#!/usr/bin/env bash
# Cout du profil verifie (hors suite de tests) :
#  1. traduction : Tramelo (profil standard) et tramelo-exec --traduire (verification + profil
#     verifie) sur le meme source realiste ;
#  2. execution : un programme de calcul (crible, tableaux, divisions) compile -O1 dans les deux
#     profils, meilleur temps de N executions ;
#  3. pas a pas : lignes tracees par seconde sous gdb (boucle sans fin arretee par --limite).
#   bash bench/profil_verifie.sh [dossier de construction] [--repetitions N]
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
construction=${1:-$ici/../build/default}
repetitions=5
[ "${2:-}" = --repetitions ] && repetitions=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

meilleur () { # commande... : meilleur temps reel (s) sur $repetitions executions
    local m=
    for _ in $(seq "$repetitions"); do
        local t
        /usr/bin/time -o "$tmp/temps" -f %e "$@" >/dev/null 2>&1
        t=$(tail -1 "$tmp/temps")
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

cp "$ici/programmes/crible.algo" "$tmp/"
"$construction/Tramelo" "$tmp/crible.algo" >"$tmp/standard.cpp"
"$construction/tramelo-exec" --traduire "$tmp/crible.algo"
g++ -std=c++17 -O1 -o "$tmp/standard" "$tmp/standard.cpp"
g++ -std=c++17 -O1 -o "$tmp/verifie" "$tmp/crible.cpp"
[ "$("$tmp/standard")" = "$("$tmp/verifie")" ] || { echo "sorties differentes"; exit 1; }
echo "Execution du crible (20 millions d'entiers) :"
echo "  profil standard            : $(meilleur "$tmp/standard") s"
echo "  profil verifie             : $(meilleur "$tmp/verifie") s"

printf 'algorithme Boucle\ndebut\n    declarer n : entier;\n    boucle\n        n <- n + 1;\n    fboucle\nfin\n' >"$tmp/boucle.algo"
debut=$(date +%s.%N)
"$construction/tramelo-exec" --pas-a-pas --limite 1000 "$tmp/boucle.algo" </dev/null >/dev/null 2>&1 || true
fin=$(date +%s.%N)
echo "Pas a pas, 1 000 lignes (compilation comprise) : $(awk -v a="$debut" -v b="$fin" 'BEGIN { printf "%.1f", b - a }') s"
