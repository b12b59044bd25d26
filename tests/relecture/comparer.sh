#!/usr/bin/env bash
# Traduit chaque source du corpus avec Tramelo et avec Tramelo sans relecture rapide (ni
# predictions ni memoire des lectures) : sortie, erreurs et statut doivent etre identiques.
#   comparer.sh TRAMELO TRAMELO_SANS_RELECTURE DOSSIER...
set -u
rapide=$1 lent=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
n=0 echecs=0
while IFS= read -r -d '' cas; do
    args=()
    [ -f "${cas%.algo}.args" ] && args+=("$(cat "${cas%.algo}.args")")
    "$rapide" "$cas" "${args[@]}" >"$tmp/out1" 2>"$tmp/err1"; code1=$?
    "$lent" "$cas" "${args[@]}" >"$tmp/out2" 2>"$tmp/err2"; code2=$?
    n=$((n + 1))
    if [ "$code1" != "$code2" ] || ! cmp -s "$tmp/out1" "$tmp/out2" || ! cmp -s "$tmp/err1" "$tmp/err2"; then
        echo "DIFFERENCE : $cas (statuts $code1 et $code2)"
        diff "$tmp/err1" "$tmp/err2" | head -5
        echecs=$((echecs + 1))
    fi
done < <(find "$@" -name '*.algo' -type f -print0 | sort -z)
echo "$n sources, $echecs difference(s)"
[ "$n" -gt 0 ] && [ "$echecs" -eq 0 ]
