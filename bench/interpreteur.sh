#!/usr/bin/env bash
# L'interpreteur face au programme compile (profil verifie, -O1) :
#  1. programmes de calcul (bench/programmes/interpreteur) : temps du programme compile, de
#     tramelo-exec --interprete (traduction comprise), pas executes et temps par pas ;
#  2. boucle modifier-executer sur les exemples : un commentaire ajoute au source, puis
#     tramelo-exec (compilation, en-tete precompile deja en cache) ou tramelo-exec --interprete.
# Meilleur de N (temps reel).
#   bash bench/interpreteur.sh [dossier de construction] [--repetitions N]
# (cmake --build --preset default --target tramelo-bench-interpreteur d'abord)
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
construction=${1:-$ici/../build/default}
repetitions=5
[ "${2:-}" = --repetitions ] && repetitions=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CACHE_HOME=$tmp/cache

# Temps reel d'une commande, en secondes a la milliseconde pres (time n'en donne que le centieme).
duree () { # entree commande...
    local entree=$1 debut fin
    shift
    debut=$(date +%s%N)
    "$@" <"$entree" >/dev/null 2>&1 || true
    fin=$(date +%s%N)
    awk -v d="$((fin - debut))" 'BEGIN { printf "%.3f", d / 1e9 }'
}

meilleur () { # entree commande... : meilleur temps reel (s)
    local m=
    for _ in $(seq "$repetitions"); do
        local t
        t=$(duree "$@")
        if [ -z "$m" ] || awk -v a="$t" -v b="$m" 'BEGIN { exit !(a < b) }'; then m=$t; fi
    done
    echo "$m"
}

echo "| Programme | Compile (-O1) | Interprete | Rapport | Pas | Temps par pas |"
echo "|---|---|---|---|---|---|"
for source in "$ici"/programmes/interpreteur/*.algo; do
    nom=$(basename "$source" .algo)
    cp "$source" "$tmp/$nom.algo"
    "$construction/tramelo-exec" --traduire "$tmp/$nom.algo" 2>/dev/null
    g++ -std=c++17 -O1 -o "$tmp/$nom" "$tmp/$nom.cpp"
    compile=$(meilleur /dev/null "$tmp/$nom")
    interprete=$(meilleur /dev/null "$construction/tramelo-exec" --interprete "$tmp/$nom.algo")
    ligne=$("$construction/tramelo-bench-interpreteur" "$tmp/$nom.algo" --repetitions "$repetitions")
    pas=$(echo "$ligne" | sed -n 's/.* ; \([0-9]*\) pas ; .*/\1/p')
    parpas=$(echo "$ligne" | sed -n 's/.* ; \([0-9.]*\) ns par pas/\1/p')
    rapport=$(awk -v a="$interprete" -v b="$compile" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }')
    echo "| $nom | $compile s | $interprete s | $rapport | $pas | $parpas ns |"
done

echo
echo "| Exemple | Modifier, compiler, executer | Modifier, interpreter |"
echo "|---|---|---|"
for source in "$ici"/../exemples/*.algo; do
    nom=$(basename "$source" .algo)
    cp "$source" "$tmp/$nom.algo"
    "$construction/tramelo-exec" "$tmp/$nom.algo" <"${source%.algo}.in" >/dev/null 2>&1   # cache chaud
    n=0 c= i=
    for _ in $(seq "$repetitions"); do
        n=$((n + 1))
        echo "// modification $n" >>"$tmp/$nom.algo"
        t=$(duree "${source%.algo}.in" "$construction/tramelo-exec" "$tmp/$nom.algo")
        if [ -z "$c" ] || awk -v a="$t" -v b="$c" 'BEGIN { exit !(a < b) }'; then c=$t; fi
        echo "// modification $n bis" >>"$tmp/$nom.algo"
        t=$(duree "${source%.algo}.in" "$construction/tramelo-exec" --interprete "$tmp/$nom.algo")
        if [ -z "$i" ] || awk -v a="$t" -v b="$i" 'BEGIN { exit !(a < b) }'; then i=$t; fi
    done
    echo "| $nom | $c s | $i s |"
done
