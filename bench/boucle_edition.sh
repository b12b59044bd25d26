#!/usr/bin/env bash
# La boucle modifier-compiler-executer de tramelo-exec sur les exemples (hors suite de tests) :
# pour chaque exemple, le source est modifie (une ligne de commentaire ajoutee, le programme doit
# donc etre recompile), puis "tramelo-exec exemple.algo < exemple.in" ; meilleur temps de N tours.
# Chaque tramelo-exec donne a son propre cache vide au depart (XDG_CACHE_HOME neuf) : son premier
# lancement, qui cree l'en-tete precompile, est mesure a part. Les outils sont essayes a tour de
# role a chaque tour : une charge passagere de la machine les touche tous.
#   bash bench/boucle_edition.sh [--repetitions N] TRAMELO_EXEC...
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
repetitions=5
if [ "${1:-}" = --repetitions ]; then
    repetitions=$2
    shift 2
fi
[ $# -ge 1 ] || { echo "usage : bash bench/boucle_edition.sh [--repetitions N] TRAMELO_EXEC..."; exit 2; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Temps reel et temps processeur (utilisateur + systeme, compilateur compris) d'une execution, en
# secondes : la machine partagee fait varier le premier bien plus que le second.
chrono () {
    /usr/bin/time -o "$tmp/temps" -f '%e %U %S' "$@" >/dev/null 2>&1 || { echo "echec : $*" >&2; exit 1; }
    awk '{ printf "%.2f %.2f", $1, $2 + $3 }' "$tmp/temps"
}

# Un tour : le source change (une ligne de plus), puis il est verifie, traduit, compile, execute.
tour () { # tramelo-exec exemple
    printf '// modification %s\n' "$EPOCHREALTIME" >>"$tmp/$2.algo"
    chrono sh -c 'exec "$1" "$2" <"$3"' sh "$1" "$tmp/$2.algo" "$tmp/$2.in"
}

exemples=()
for source in "$ici"/../exemples/*.algo; do
    nom=$(basename "$source" .algo)
    cp "$source" "$tmp/$nom.algo"
    if [ -f "${source%.algo}.in" ]; then cp "${source%.algo}.in" "$tmp/$nom.in"; else : >"$tmp/$nom.in"; fi
    exemples+=("$nom")
done

outils=("$@")
declare -A caches reel cpu
for i in "${!outils[@]}"; do
    caches[$i]="$tmp/cache.$i"
    echo "premier lancement, cache vide ($(basename "${outils[$i]}") n$i, ${exemples[0]}) : $(XDG_CACHE_HOME=${caches[$i]} tour "${outils[$i]}" "${exemples[0]}") s (reel, processeur)"
done
printf '%-24s' exemple
for i in "${!outils[@]}"; do printf ' | n%s : reel, processeur' "$i"; done
echo
declare -A total_reel total_cpu
for nom in "${exemples[@]}"; do
    for i in "${!outils[@]}"; do reel[$i]=; cpu[$i]=; done
    for _ in $(seq "$repetitions"); do
        for i in "${!outils[@]}"; do
            read -r r c <<<"$(XDG_CACHE_HOME=${caches[$i]} tour "${outils[$i]}" "$nom")"
            if [ -z "${reel[$i]}" ] || awk -v a="$r" -v b="${reel[$i]}" 'BEGIN { exit !(a < b) }'; then reel[$i]=$r; fi
            if [ -z "${cpu[$i]}" ] || awk -v a="$c" -v b="${cpu[$i]}" 'BEGIN { exit !(a < b) }'; then cpu[$i]=$c; fi
        done
    done
    printf '%-24s' "$nom"
    for i in "${!outils[@]}"; do
        printf ' | %s s, %s s' "${reel[$i]}" "${cpu[$i]}"
        total_reel[$i]=$(awk -v a="${total_reel[$i]:-0}" -v b="${reel[$i]}" 'BEGIN { printf "%.2f", a + b }')
        total_cpu[$i]=$(awk -v a="${total_cpu[$i]:-0}" -v b="${cpu[$i]}" 'BEGIN { printf "%.2f", a + b }')
    done
    echo
done
printf '%-24s' total
for i in "${!outils[@]}"; do printf ' | %s s, %s s' "${total_reel[$i]}" "${total_cpu[$i]}"; done
echo
for i in "${!outils[@]}"; do echo "n$i : ${outils[$i]}"; done
