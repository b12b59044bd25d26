#!/bin/sh
# Construit le paquet .deb avec cpack, l'inspecte, le deballe dans une racine temporaire
# (dpkg-deb -x) et y fait tourner ce qui est installe : Tramelo, tramelo-exec, les pages de
# manuel, la completion bash, les fichiers des editeurs.
# Tout se fait sous umask 077 : les droits installes ne doivent pas en dependre.
#   paquet.sh <cpack> <CPackConfig.cmake> <Tramelo construit> <dossier source> <cmake>
#             <dossier de construction> <avec-lsp|sans-lsp>
# sans-lsp : construit sans nlohmann-json, le paquet ne doit avoir ni tramelo-lsp ni sa page.
# Statut 77 (test saute) sans les outils Debian.
set -u
cpack=$1
config=$2
tramelo_construit=$3
source_dir=$4
cmake=$5
construction=$6
lsp=${7:-avec-lsp}
umask 077

for outil in dpkg-deb dpkg-shlibdeps; do
    command -v $outil >/dev/null 2>&1 || { echo "Test saute : $outil absent"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0
ko () { echo "ECHEC : $*"; echec=1; }

# droits_attendus : lit "droits chemin" (find -printf '%M %P') et signale tout ce qui n'est
# pas drwxr-xr-x (dossier), -rwxr-xr-x (bin/) ou -rw-r--r-- (le reste). $1 : libelle.
droits_attendus () {
    while read -r droits chemin; do
        case $droits:$chemin in
            drwxr-xr-x:* | drwxr-sr-x:share/man/man1 | -rwxr-xr-x:*bin/* | -rw-r--r--:*) ;;
            *) ko "$1 : $chemin en $droits" ;;
        esac
    done
}

# Installation par DESTDIR : dossiers en 755, sauf ceux qui existaient deja (laisses tels quels).
dest=$tmp/dest
(umask 022 && mkdir -p "$dest/usr/share/man")
chmod 2775 "$dest/usr/share/man"
if ! DESTDIR=$dest "$cmake" --install "$construction" --prefix /usr >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    ko "cmake --install"
fi
[ "$(stat -c %a "$dest/usr/share/man")" = 2775 ] || ko "dossier existant modifie : $(stat -c %a "$dest/usr/share/man")"
# Cree dans un dossier setgid (comme /usr/local/share/man sous Debian) : il garde ce bit.
[ "$(stat -c %a "$dest/usr/share/man/man1")" = 2755 ] || ko "usr/share/man/man1 en $(stat -c %a "$dest/usr/share/man/man1")"
if [ ! -x "$dest/usr/bin/Tramelo" ] || [ ! -f "$dest/usr/share/tramelo/vscode/tasks.json" ]; then
    ko "installation incomplete"
fi
# (Lu depuis un fichier et non par un tube : ko doit marquer l'echec dans ce shell-ci.)
find "$dest/usr" -mindepth 1 ! -path "$dest/usr/share/man" -printf '%M %P\n' >"$tmp/droits"
droits_attendus "DESTDIR" <"$tmp/droits"

# Construction du paquet, dans un dossier a nous.
if ! "$cpack" -G DEB --config "$config" -B "$tmp/paquet" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    echo "ECHEC : cpack"
    exit 1
fi
deb=$(ls "$tmp"/paquet/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { cat "$tmp/cpack.log"; echo "ECHEC : aucun .deb produit"; exit 1; }
echo "Paquet : ${deb##*/}"

# Champs de controle.
champ () { dpkg-deb -f "$deb" "$1"; }
[ "$(champ Package)" = tramelo ] || ko "Package : $(champ Package)"
[ -n "$(champ Version)" ] || ko "Version absente"
[ -n "$(champ Maintainer)" ] || ko "Maintainer absent"
depends=$(champ Depends)
echo "Depends : $depends"
for dep in libc6 libstdc++6 g++; do
    printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$dep" ||
        ko "Depends sans $dep : $depends"
done
champ Description | head -1 | grep -q 'pseudo-langage' || ko "Description : $(champ Description | head -1)"

# Contenu et droits.
dpkg-deb -c "$deb" >"$tmp/contenu"
while read -r mode chemin; do
    ligne=$(awk -v c="./$chemin" '$6 == c { print $1 }' "$tmp/contenu")
    [ "$ligne" = "$mode" ] || ko "$chemin : '${ligne:-absent}' au lieu de $mode"
done <<'FIN'
-rwxr-xr-x usr/bin/Tramelo
-rwxr-xr-x usr/bin/tramelo-exec
-rwxr-xr-x usr/bin/tramelo-verifier
-rw-r--r-- usr/share/man/man1/Tramelo.1.gz
-rw-r--r-- usr/share/man/man1/tramelo-exec.1.gz
-rw-r--r-- usr/share/man/man1/tramelo-verifier.1.gz
-rw-r--r-- usr/share/bash-completion/completions/Tramelo
-rw-r--r-- usr/share/bash-completion/completions/tramelo-exec
-rw-r--r-- usr/share/bash-completion/completions/tramelo-verifier
-rw-r--r-- usr/share/tramelo/vim/compiler/tramelo.vim
-rw-r--r-- usr/share/tramelo/vim/syntax/algo.vim
-rw-r--r-- usr/share/tramelo/vim/ftdetect/algo.vim
-rw-r--r-- usr/share/tramelo/vscode/package.json
-rw-r--r-- usr/share/tramelo/vscode/syntaxes/algo.tmLanguage.json
-rw-r--r-- usr/share/tramelo/vscode/language-configuration.json
-rw-r--r-- usr/share/tramelo/vscode/tasks.json
-rw-r--r-- usr/share/tramelo/vscode/launch.json
-rw-r--r-- usr/share/tramelo/nvim/lua/tramelo/lsp.lua
-rw-r--r-- usr/share/tramelo/nvim/ftplugin/algo.lua
-rw-r--r-- usr/share/tramelo/gdb/pas_a_pas.py
-rw-r--r-- usr/share/tramelo/gdb/deboguer.py
-rwxr-xr-x usr/bin/tramelo-organigramme
-rw-r--r-- usr/share/man/man1/tramelo-organigramme.1.gz
-rw-r--r-- usr/share/bash-completion/completions/tramelo-organigramme
FIN
pages="Tramelo tramelo-exec tramelo-verifier tramelo-organigramme"
# tramelo-lsp et tramelo-noter ne sont construits qu'avec nlohmann-json.
for entree in -rwxr-xr-x:usr/bin/tramelo-lsp -rw-r--r--:usr/share/man/man1/tramelo-lsp.1.gz \
              -rwxr-xr-x:usr/bin/tramelo-noter -rw-r--r--:usr/share/man/man1/tramelo-noter.1.gz \
              -rw-r--r--:usr/share/bash-completion/completions/tramelo-noter; do
    mode=${entree%%:*} chemin=${entree#*:}
    ligne=$(awk -v c="./$chemin" '$6 == c { print $1 }' "$tmp/contenu")
    if [ "$lsp" = avec-lsp ]; then
        [ "$ligne" = "$mode" ] || ko "$chemin : '${ligne:-absent}' au lieu de $mode"
    else
        [ -z "$ligne" ] || ko "$chemin dans un paquet construit sans le serveur de langage"
    fi
done
[ "$lsp" = avec-lsp ] && pages="$pages tramelo-lsp tramelo-noter"
# Toutes les entrees, dossiers compris (./usr/ est cree par cpack lui-meme).
awk '{ print $1, $6 }' "$tmp/contenu" >"$tmp/droits"
droits_attendus "paquet" <"$tmp/droits"
grep -q '^drwxr-xr-x .* \./usr/$' "$tmp/contenu" || ko "./usr/ absent du paquet ou mal cree"
# L'extension empaquetee, quand la construction l'a produite (modules npm installes).
vsix=$(ls "$(dirname "$tramelo_construit")"/editeurs/*.vsix 2>/dev/null | head -1)
if [ -n "$vsix" ]; then
    grep -q "usr/share/tramelo/vscode/${vsix##*/}\$" "$tmp/contenu" || ko "${vsix##*/} absent du paquet"
fi
if grep -q 'usr/share/tramelo/vscode/src/\|package-lock' "$tmp/contenu"; then
    ko "sources de l'extension dans le paquet"
fi
if grep -q 'tramelo-vocabulaire\|tramelo_unit_tests\|node_modules' "$tmp/contenu"; then
    ko "fichiers de developpement dans le paquet"
fi

# Deballage dans une racine temporaire.
racine=$tmp/racine
dpkg-deb -x "$deb" "$racine" || { echo "ECHEC : dpkg-deb -x"; exit 1; }
bin=$racine/usr/bin
exemples=$racine/usr/share/doc/tramelo/exemples
if ldd "$bin/Tramelo" 2>/dev/null | grep -q 'not found'; then
    ko "bibliotheque introuvable pour Tramelo installe"
fi

# Le Tramelo installe traduit chaque exemple installe comme le Tramelo construit.
nb=0
for ex in "$exemples"/*.algo "$source_dir"/tests/exec/programmes/erreur.algo; do
    [ -f "$ex" ] || continue
    nb=$((nb + 1))
    "$bin/Tramelo" "$ex" >"$tmp/out" 2>"$tmp/err"
    s1=$?
    "$tramelo_construit" "$ex" >"$tmp/out_ref" 2>"$tmp/err_ref"
    s2=$?
    if [ $s1 != $s2 ] || ! cmp -s "$tmp/out" "$tmp/out_ref" || ! cmp -s "$tmp/err" "$tmp/err_ref"; then
        ko "Tramelo installe differe sur ${ex##*/}"
    fi
done
[ $nb -ge 2 ] || ko "aucun exemple installe dans usr/share/doc/tramelo/exemples"

# tramelo-exec installe trouve le Tramelo installe a cote de lui (rien d'autre dans le PATH).
mkdir "$tmp/tmpdir"
for ex in "$exemples"/*.algo; do
    nom=${ex##*/}
    base=$source_dir/exemples/${nom%.algo}
    [ -f "$base.run" ] || continue
    entree=/dev/null
    [ -f "$base.in" ] && entree=$base.in
    attendu=0
    [ -f "$base.runcode" ] && attendu=$(cat "$base.runcode")
    env -u TRAMELO PATH=/usr/bin:/bin TMPDIR="$tmp/tmpdir" "$bin/tramelo-exec" "$ex" <"$entree" >"$tmp/out" 2>"$tmp/err"
    s=$?
    [ $s = "$attendu" ] || ko "tramelo-exec installe : statut $s sur $nom"
    cmp -s "$base.run" "$tmp/out" || ko "tramelo-exec installe : sortie differente sur $nom"
    [ ! -s "$tmp/err" ] || { ko "tramelo-exec installe : erreur sur $nom"; cat "$tmp/err"; }
    break
done
# Le pas a pas installe trouve ses scripts gdb dans share/tramelo/gdb, a cote de lui.
if command -v gdb >/dev/null 2>&1; then
    env PATH=/usr/bin:/bin TMPDIR="$tmp/tmpdir" XDG_CACHE_HOME="$tmp/cache" "$bin/tramelo-exec" --pas-a-pas \
        "$source_dir/exemples/bonjour.algo" <"$source_dir/exemples/bonjour.in" >"$tmp/out" 2>"$tmp/err"
    s=$?
    [ $s = 0 ] && grep -q '^» *[0-9]* | ' "$tmp/err" || { ko "tramelo-exec --pas-a-pas installe : statut $s"; head -5 "$tmp/err"; }
fi
[ -z "$(ls -A "$tmp/tmpdir")" ] || ko "dossier temporaire non vide apres tramelo-exec installe"

# Le serveur de langage installe repond a initialize puis s'arrete proprement.
if [ "$lsp" = avec-lsp ]; then
corps1='{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}'
corps2='{"jsonrpc":"2.0","id":2,"method":"shutdown"}'
corps3='{"jsonrpc":"2.0","method":"exit"}'
trame () { printf 'Content-Length: %d\r\n\r\n%s' "${#1}" "$1"; }
{ trame "$corps1"; trame "$corps2"; trame "$corps3"; } | "$bin/tramelo-lsp" >"$tmp/lsp" 2>&1
s=$?
[ $s = 0 ] && grep -q '"hoverProvider":true' "$tmp/lsp" || ko "tramelo-lsp installe : statut $s, $(head -c 300 "$tmp/lsp")"
fi

# tramelo-organigramme installe dessine un exemple installe.
for ex in "$exemples"/*.algo; do
    "$bin/tramelo-organigramme" "$ex" >"$tmp/svg" 2>"$tmp/err" && grep -q '<svg' "$tmp/svg" ||
        ko "tramelo-organigramme installe : echec sur ${ex##*/} ($(head -c 300 "$tmp/err"))"
    break
done

# Pages de manuel : gzip -9n (ni nom ni date dans l'en-tete), et rendu par man.
for page in $pages; do
    gz=$racine/usr/share/man/man1/$page.1.gz
    gzip -t "$gz" 2>/dev/null || { ko "$page.1.gz n'est pas un gzip valide"; continue; }
    # Octet 4 : drapeaux (FNAME = 8) ; octets 5 a 8 : date ; octet 9 : 2 pour -9.
    entete=$(od -An -tu1 -N9 "$gz" | tr -s ' ' | sed 's/^ //')
    set -- $entete
    [ "$4" = 0 ] && [ "$5$6$7$8" = 0000 ] || ko "$page.1.gz : nom ou date dans l'en-tete gzip ($entete)"
    [ "$9" = 2 ] || ko "$page.1.gz : pas compresse au niveau 9 ($entete)"
    if command -v man >/dev/null 2>&1; then
        LC_ALL=C.UTF-8 MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -l "$gz" >"$tmp/rendu" 2>"$tmp/avert"
        [ -s "$tmp/rendu" ] || ko "man -l $page : rendu vide"
        grep -q '^NOM' "$tmp/rendu" && grep -q '^SYNOPSIS' "$tmp/rendu" || ko "man -l $page : sections absentes"
        grep -q "$page fichier.algo" "$tmp/rendu" || grep -q "$page \[--garder\] fichier.algo" "$tmp/rendu" ||
            grep -q "$page  *\[--tabulation" "$tmp/rendu" ||
            grep -q "$page \[--stdio\]" "$tmp/rendu" ||
            grep -q "$page  *\[--format" "$tmp/rendu" ||
            grep -q "$page \[-j N\]" "$tmp/rendu" ||
            ko "man -l $page : synopsis absent"
        [ ! -s "$tmp/avert" ] || { ko "man -l $page : avertissements"; cat "$tmp/avert"; }
    else
        echo "Note : man absent, rendu des pages non verifie"
    fi
done

# Completion bash installee : les fichiers .algo et les dossiers, les options de tramelo-exec
# (les noms difficiles, par readline pour de vrai, sont dans completion.sh).
if command -v bash >/dev/null 2>&1; then
    mkdir -p "$tmp/compl/sous dossier"
    : >"$tmp/compl/tri.algo"; : >"$tmp/compl/notes.txt"; : >"$tmp/compl/tri.cpp"
    cat >"$tmp/compl.sh" <<'FIN'
cd "$1/compl" || exit 1
[ -n "$2" ] && . "$2"
. "$3/Tramelo"
. "$3/tramelo-exec"
proposer () { # mots de la ligne ; le dernier est celui a completer
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _tramelo_completer
    printf '%s\n' "${COMPREPLY[@]}" | sed 's:/$::' | sort | tr '\n' ';'; echo
}
proposer Tramelo ''
proposer Tramelo t
proposer Tramelo tri.algo ''
proposer tramelo-exec --
proposer tramelo-exec --garder ''
proposer /usr/bin/tramelo-exec --g
FIN
    attendu='sous dossier;tri.algo;|tri.algo;|;|--aide;--construire-seulement;--deboguer;--garder;--limite;--pas-a-pas;--standard;--tester;--traduire;|sous dossier;tri.algo;|--garder;|'
    compl=$racine/usr/share/bash-completion/completions
    for bc in "" /usr/share/bash-completion/bash_completion; do
        [ -z "$bc" ] || [ -f "$bc" ] || continue
        obtenu=$(bash --norc --noprofile "$tmp/compl.sh" "$tmp" "$bc" "$compl" 2>&1 | tr '\n' '|')
        [ "$obtenu" = "$attendu" ] || ko "completion (${bc:-sans bash-completion}) : $obtenu"
    done
fi

# Fichiers des editeurs : les memes que dans les sources.
for f in vim/syntax/algo.vim vim/ftdetect/algo.vim vscode/package.json vscode/syntaxes/algo.tmLanguage.json; do
    cmp -s "$source_dir/editeurs/$f" "$racine/usr/share/tramelo/$f" || ko "usr/share/tramelo/$f differe des sources"
done

[ $echec = 0 ] && echo "Paquet verifie"
exit $echec
