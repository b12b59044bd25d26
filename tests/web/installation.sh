#!/bin/sh
# cmake --install de la construction WebAssembly : la page complete dans share/tramelo/web/,
# identique a celle construite, et rien d'autre.
#   installation.sh CMAKE DOSSIER_DE_CONSTRUCTION DOSSIER_DE_LA_PAGE
cmake=$1 construction=$2 page=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$cmake" --install "$construction" --prefix "$tmp/racine" >"$tmp/journal" 2>&1 || { cat "$tmp/journal"; exit 1; }
echecs=0
for f in index.html style.css tramelo-web.js; do
    if ! cmp -s "$page/$f" "$tmp/racine/share/tramelo/web/$f"; then
        echo "--- share/tramelo/web/$f absent ou different"
        echecs=$((echecs + 1))
    fi
done
installes=$(cd "$tmp/racine" && find . -type f | sort)
attendus=$(printf './share/tramelo/web/%s\n' index.html style.css tramelo-web.js)
if [ "$installes" != "$attendus" ]; then
    echo "--- fichiers installes :"
    echo "$installes"
    echecs=$((echecs + 1))
fi
# La page ne charge que son style et son script, par des chemins relatifs (l'icone est incluse).
if grep -Eo '(src|href)="[^"#]+"' "$tmp/racine/share/tramelo/web/index.html" | grep -Ev '"(style\.css|tramelo-web\.js|data:[^"]*)"'; then
    echo "--- index.html charge d'autres fichiers"
    echecs=$((echecs + 1))
fi
[ $echecs = 0 ] && echo "installation de la page : conforme"
exit $echecs
