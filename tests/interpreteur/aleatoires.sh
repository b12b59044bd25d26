#!/usr/bin/env bash
# Programmes tires au hasard (generer.py), interpretes et compiles : memes reponses.
#   aleatoires.sh <tramelo_differentiel> [NOMBRE]
# La graine est TRAMELO_GRAINE (1 par defaut) : l'integration continue en change a chaque fois ;
# une difference se reproduit avec la graine annoncee.
set -u
ici=$(cd "$(dirname "$0")" && pwd)
graine=${TRAMELO_GRAINE:-1}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "graine $graine"
python3 "$ici/generer.py" "$graine" "$tmp/programmes" "${2:-200}" || exit 1
"$1" "$tmp/programmes"
