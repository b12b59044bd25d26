#!/bin/sh
# Construit l'extension .vsix : copie des fichiers de l'extension dans un dossier de travail,
# bundle de src/ par esbuild (un seul fichier, vscode-languageclient compris), puis vsce.
#   sh empaqueter.sh [SORTIE.vsix]     (par defaut tramelo-algo-VERSION.vsix ici)
# Il faut d'abord "npm ci" dans ce dossier.
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
bin=$ici/node_modules/.bin
[ -x "$bin/esbuild" ] && [ -x "$bin/vsce" ] || { echo "empaqueter.sh : lancer d'abord « npm ci » dans $ici" >&2; exit 2; }
version=$(node -p "require('$ici/package.json').version")
sortie=${1:-$ici/tramelo-algo-$version.vsix}
case $sortie in /*) ;; *) sortie=$PWD/$sortie ;; esac

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT INT TERM
cp -R "$ici/package.json" "$ici/language-configuration.json" "$ici/syntaxes" "$ici/tasks.json" "$ici/launch.json" \
      "$ici/README.md" "$ici/.vscodeignore" "$travail/"
"$bin/esbuild" "$ici/src/extension.js" --bundle --platform=node --target=node18 --format=cjs \
    --external:vscode --minify --log-level=warning --outfile="$travail/dist/extension.js"
# Les dependances sont dans le bundle : vsce n'a pas a parcourir node_modules.
(cd "$travail" && "$bin/vsce" package --no-dependencies --skip-license --allow-missing-repository \
    --out "$sortie" >/dev/null)
echo "extension : $sortie"
