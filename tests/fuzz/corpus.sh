#!/usr/bin/env bash
# Construit le corpus de depart du fuzzer a partir des cas de reference et des exemples :
#   bash tests/fuzz/corpus.sh [dossier]   (par defaut tests/fuzz/corpus, jamais versionne)
# Les sources sont copiees a chaque lancement pour suivre les tests tels qu'ils sont.
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
dest=${1:-$racine/tests/fuzz/corpus}
rm -rf "$dest"
mkdir -p "$dest"
n=0
while IFS= read -r -d '' f; do
    rel=${f#"$racine"/}
    cp "$f" "$dest/${rel//\//_}"
    n=$((n + 1))
done < <(find "$racine/tests/golden" "$racine/exemples" -name '*.algo' -type f -print0 2>/dev/null | sort -z)
# Quelques formes courtes, pour qu'un corpus ne soit jamais vide.
printf 'algorithme A\ndebut\nfin\n' > "$dest/minimal.algo"
printf 'fonction f (x : in entier) renvoie entier\ndebut\n    renvoie x;\nfin\nalgorithme A\ndebut\n    afficher (f (f (1)));\nfin\n' > "$dest/appels.algo"
# Largeur de tabulation en tete (octet 1, l'argument, saut de ligne) : voir fuzz_tramelo.cpp.
printf '\0018\nalgorithme A\ndebut\n\tafficher ("\t|");\nfin\n' > "$dest/tabulation-8.algo"
printf '\001 3\nalgorithme A\ndebut\n\t\tx <- 1;\nfin\n' > "$dest/tabulation-3.algo"
echo "corpus : $n sources copiees dans $dest"
