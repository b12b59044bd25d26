#!/usr/bin/env bash
# Le traducteur d'aujourd'hui contre celui d'avant le modele du programme (commit de reference) :
# le corpus avec trois largeurs de tabulation et des sources mutes doivent donner exactement la
# meme sortie, le meme message et le meme statut. Construit la reference dans un dossier
# temporaire, depuis l'historique du depot.
#   reference.sh TRAMELO [NB_MUTANTS]
set -euo pipefail
candidat=$(realpath "$1")
mutants=${2:-2000}
reference=c64a464
racine=$(cd "$(dirname "$0")/../.." && pwd)
if ! git -C "$racine" cat-file -e "$reference^{commit}" 2>/dev/null; then
    echo "historique sans le commit de reference $reference (clone superficiel ?) : comparaison impossible" >&2
    exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
git -C "$racine" archive "$reference" | tar -x -C "$tmp"
# Seulement la bibliotheque du traducteur et son main, compiles directement (la construction
# de la reference demandait des paquets que cette machine n'a peut-etre pas).
mapfile -t sources < <(sed -n '/^set(TRAMELO_SOURCES/,/)/p' "$tmp/CMakeLists.txt" | grep -o 'src/[A-Za-z_/]*\.cpp')
mkdir "$tmp/obj"
printf '%s\n' "${sources[@]}" src/driver/main.cpp \
    | xargs -P "$(nproc)" -I{} sh -c 'g++ -std=c++17 -O2 -I "$1/src" -c "$1/{}" -o "$1/obj/$(echo {} | tr / _).o"' _ "$tmp"
g++ "$tmp"/obj/*.o -o "$tmp/Tramelo"
python3 "$racine/tests/differentiel/comparer.py" "$tmp/Tramelo" "$candidat" --mutants "$mutants"
