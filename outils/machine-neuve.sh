#!/usr/bin/env bash
# Machine neuve simulee : g++, CMake, GoogleTest, gdb, python3 et node, sans rien d'autre de ce
# que Tramelo sait utiliser. Dans une copie des sources sans modules npm ni construction, lance
# les deux commandes du README, lues dans README.md : elles doivent reussir, les tests des outils
# absents etant sautes, et la configuration doit afficher son resume de ce qui manque.
#  - nlohmann-json est cache a CMake (CMAKE_DISABLE_FIND_PACKAGE_nlohmann_json) ;
#  - nvim, vim, chromium, emscripten et dot sont retires du PATH : un dossier de liens vers toutes
#    les autres commandes le remplace, et CMake ignore les dossiers du PATH d'origine
#    (CMAKE_IGNORE_PATH), ou il les trouverait encore.
#   outils/machine-neuve.sh [--cacher "commande..."] [--garder]
#     --cacher  d'autres commandes a retirer (par exemple "gdb python3 python node nodejs npm")
#     --garder  garde la copie (son chemin est affiche) au lieu de l'effacer
# Options de configuration en plus : TRAMELO_CMAKE_OPTIONS (par exemple -DTRAMELO_WERROR=ON).
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)

cacher="nvim vim chromium chromedriver em++ emcc emcmake emconfigure emmake emar emranlib emrun em-config dot"
garder=0
while [ $# -gt 0 ]; do
    case $1 in
        --cacher) [ $# -ge 2 ] || { echo "machine-neuve.sh : --cacher sans liste" >&2; exit 2; }
                  cacher="$cacher $2"; shift 2 ;;
        --garder) garder=1; shift ;;
        -h | --aide) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "machine-neuve.sh : option inconnue : $1 (--cacher, --garder, --aide)" >&2; exit 2 ;;
    esac
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tramelo-machine-neuve.XXXXXX")
if [ "$garder" = 1 ]; then
    echo "Copie gardee : $tmp"
else
    trap 'rm -rf "$tmp"' EXIT
fi

# Les sources comme un clone les donnerait, modifications en cours comprises : fichiers suivis et
# nouveaux, sans ce que .gitignore exclut (build/, node_modules/...).
mkdir "$tmp/sources"
if git -C "$racine" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$racine" && git ls-files -z -co --exclude-standard |
        while IFS= read -r -d '' f; do
            if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
        done | tar --null -T - -cf -) | tar -C "$tmp/sources" -xf -
else
    tar -C "$racine" --exclude=./build --exclude=node_modules -cf - . | tar -C "$tmp/sources" -xf -
fi

# Le PATH de la machine neuve : un lien par commande du PATH d'origine (la premiere trouvee,
# comme le shell), sauf les commandes cachees et leurs variantes (vim.basic, python3.11...).
bin=$tmp/bin
mkdir "$bin"
IFS=: read -ra dossiers <<<"$PATH"
ignorer=()
for dossier in "${dossiers[@]}" /usr/local/sbin /usr/local/bin /usr/sbin /usr/bin /sbin /bin; do
    [ -n "$dossier" ] && [ -d "$dossier" ] || continue
    ignorer+=("$dossier")
    for f in "$dossier"/*; do
        n=${f##*/}
        [ -x "$f" ] && [ ! -d "$f" ] || continue
        [ -e "$bin/$n" ] || [ -L "$bin/$n" ] && continue
        cache=0
        for c in $cacher; do
            case $n in "$c" | "$c".*) cache=1; break ;; esac
        done
        if [ "$cache" = 0 ]; then ln -s "$f" "$bin/$n"; fi
    done
done
for c in $cacher; do
    if PATH=$bin command -v "$c" >/dev/null 2>&1; then
        echo "machine-neuve.sh : $c encore visible" >&2
        exit 1
    fi
done
echo "Machine neuve : nlohmann-json cache ; commandes retirees du PATH : $cacher"

cd "$tmp/sources"
export PATH=$bin
ignorer_cmake=$(IFS=';'; echo "${ignorer[*]}")
# Premiere configuration : ce qui est cache reste dans le cache de la construction, que les
# commandes du README reprennent ensuite telles quelles.
# shellcheck disable=SC2086
cmake --preset default -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON "-DCMAKE_IGNORE_PATH=$ignorer_cmake" \
      ${TRAMELO_CMAKE_OPTIONS:-} >"$tmp/premiere-configuration.log" ||
    { cat "$tmp/premiere-configuration.log"; exit 1; }

mapfile -t commandes < <(sed -n '/^## Les deux commandes/,/^## /p' README.md | grep '^cmake --preset default')
[ ${#commandes[@]} = 2 ] || { echo "machine-neuve.sh : deux commandes attendues dans README.md, ${#commandes[@]} trouvees" >&2; exit 1; }
n=0
for commande in "${commandes[@]}"; do
    n=$((n + 1))
    echo "=== Commande $n du README : $commande"
    bash -c "$commande" 2>&1 | tee "$tmp/commande$n.log"
done

# Ce qui devait manquer manque vraiment, et la configuration l'a dit.
echec=0
grep -q '^-- Tramelo : construit sans ce qui suit' "$tmp/commande1.log" || { echo "ECHEC : pas de resume de ce qui manque"; echec=1; }
grep -q 'nlohmann-json3-dev' "$tmp/commande1.log" || { echo "ECHEC : le resume ne cite pas nlohmann-json3-dev"; echec=1; }
grep -q 'outils/installer-dependances.sh' "$tmp/commande1.log" || { echo "ECHEC : le resume ne donne pas la commande d'installation"; echec=1; }
[ -x build/default/tramelo-verifier ] || { echo "ECHEC : tramelo-verifier non construit"; echec=1; }
[ ! -e build/default/tramelo-lsp ] || { echo "ECHEC : tramelo-lsp construit malgre nlohmann-json cache"; echec=1; }

# Les tests sautes (liste de ctest) et leur raison (ligne « Test saute » de leur sortie).
echo "=== Tests sautes"
sed -n 's/^\t[0-9]* - \(.*\) (Skipped)$/\1/p' "$tmp/commande2.log" >"$tmp/sautes"
awk 'NR == FNR { saute[$0] = 1; next }
     /^[0-9]+\/[0-9]+ Test: / { nom = $3 }
     (nom in saute) && /^Test saute/ { print "  " nom " : " substr($0, 14); delete saute[nom] }
     END { for (nom in saute) print "  " nom }' \
    "$tmp/sautes" build/default/Testing/Temporary/LastTest.log
exit $echec
