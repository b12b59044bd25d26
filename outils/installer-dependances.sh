#!/usr/bin/env bash
# Installe tout ce que Tramelo sait utiliser au-dela de g++, CMake et GoogleTest : les paquets
# Debian des outils facultatifs et des tests, puis les modules npm (tests/editeurs, web,
# editeurs/vscode). Sans eux, la construction se fait quand meme et les tests concernes sont
# sautes (voir le resume affiche par « cmake --preset default »).
# Relancer ne change rien : seuls les paquets absents sont demandes a apt-get, et « npm ci »
# remet chaque dossier exactement dans l'etat de son package-lock.json.
#   outils/installer-dependances.sh            paquets Debian (par sudo si besoin) et modules npm
#   outils/installer-dependances.sh --sans-npm paquets Debian seulement
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

npm_aussi=1
case ${1:-} in
    "") ;;
    --sans-npm) npm_aussi=0 ;;
    -h | --aide)
        sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
        exit 0 ;;
    *)
        echo "installer-dependances.sh : option inconnue : $1 (--sans-npm, --aide)" >&2
        exit 2 ;;
esac

# Une commande absente ou une bibliotheque dont le paquet n'est pas installe donne un paquet a
# installer. (Les commandes sont cherchees dans le PATH : un outil installe hors de Debian compte.)
paquets=()
besoin_commande() { command -v "$1" >/dev/null 2>&1 || paquets+=("$2"); }
besoin_paquet() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ] || paquets+=("$1")
}
# Construction.
besoin_commande cmake cmake
besoin_commande g++ g++
besoin_commande make make
besoin_paquet libgtest-dev
besoin_paquet nlohmann-json3-dev     # tramelo-lsp et tramelo-verifier --format=json
# Tests et outils de tramelo-exec.
besoin_commande gdb gdb              # tramelo-exec --pas-a-pas et --deboguer, tests execution
besoin_commande python3 python3      # tests docs, explications, noms, protocole du serveur
besoin_commande nvim neovim          # client reel du serveur de langage (test lsp/neovim)
besoin_commande vim vim              # coloration et :make dans Vim (tests editeurs/vim*)
besoin_commande node nodejs          # tests des fichiers de VS Code, page web
besoin_commande npm npm
besoin_commande dpkg-shlibdeps dpkg-dev   # paquet .deb (test installation/paquet-deb)
besoin_commande man man-db           # rendu des pages de manuel dans ce test
besoin_paquet bash-completion        # la completion est essayee avec et sans bash-completion
besoin_commande dot graphviz         # le DOT des organigrammes relu par Graphviz
# Version WebAssembly et page web (preset wasm), fuzzing (preset fuzz).
besoin_commande em++ emscripten
besoin_commande chromium chromium    # la page dans un vrai navigateur
besoin_commande clang++ clang
besoin_paquet libclang-rt-14-dev     # libFuzzer et sanitizers de clang

if [ ${#paquets[@]} -gt 0 ]; then
    echo "Paquets Debian a installer : ${paquets[*]}"
    commande=(env DEBIAN_FRONTEND=noninteractive apt-get)
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null 2>&1 || {
            echo "installer-dependances.sh : ni root ni sudo ; lancer en root : apt-get install ${paquets[*]}" >&2
            exit 1
        }
        commande=(sudo "${commande[@]}")
    fi
    "${commande[@]}" update -qq
    "${commande[@]}" install -y -qq "${paquets[@]}"
else
    echo "Paquets Debian : tous presents"
fi

# Modules npm du test de la grammaire TextMate, de la page web (CodeMirror, fflate, esbuild,
# playwright-core qui pilote le chromium de Debian) et de l'extension VS Code (client du
# serveur de langage, esbuild, vsce) ; mermaid pour relire les organigrammes.
if [ "$npm_aussi" = 1 ]; then
    for dossier in tests/editeurs web editeurs/vscode tests/organigrammes; do
        echo "Modules npm : $dossier"
        (cd "$racine/$dossier" && npm ci --no-audit --no-fund --loglevel=error)
    done
fi
