#!/usr/bin/env bash
# Verifie un cas de reference : traduit CAS.algo et compare sortie, erreurs et statut
# aux fichiers places a cote ; si la traduction reussit, compile le C++ produit, et,
# si CAS.run existe, l'execute sur CAS.in et compare sa sortie et son statut.
#   CAS.out      sortie standard attendue (obligatoire)
#   CAS.err      erreur standard attendue (absent : vide)
#   CAS.code     statut attendu (absent : 0)
#   CAS.args     argument de tabulation (absent : aucun)
#   CAS.in       entree du programme produit (absent : vide)
#   CAS.run      sortie attendue du programme produit
#   CAS.runcode  statut attendu du programme produit (absent : 0)
# Avec TRAMELO_REGENERER=1, ecrit les attendus au lieu de les comparer (a relire ensuite !).
set -u
tramelo=$1
cas=${2%.algo}
cxx=${CXX:-g++}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0

args=()
[ -f "$cas.args" ] && args+=("$(cat "$cas.args")")
"$tramelo" "$cas.algo" "${args[@]}" >"$tmp/out" 2>"$tmp/err"
code=$?

if [ "${TRAMELO_REGENERER:-0}" = 1 ]; then
    cp "$tmp/out" "$cas.out"
    if [ -s "$tmp/err" ]; then cp "$tmp/err" "$cas.err"; else rm -f "$cas.err"; fi
    if [ "$code" != 0 ]; then echo "$code" >"$cas.code"; else rm -f "$cas.code"; fi
fi

compare() { # attendu obtenu libelle
    if ! cmp -s "$1" "$2"; then
        echo "=== $3 differe ($1)"
        diff "$1" "$2" | head -40
        echec=1
    fi
}

[ -f "$cas.out" ] || { echo "attendu manquant : $cas.out"; exit 1; }
compare "$cas.out" "$tmp/out" "sortie standard"
if [ -f "$cas.err" ]; then compare "$cas.err" "$tmp/err" "erreur standard"
else compare /dev/null "$tmp/err" "erreur standard"; fi
attendu=0
[ -f "$cas.code" ] && attendu=$(cat "$cas.code")
if [ "$code" != "$attendu" ]; then echo "=== statut $code au lieu de $attendu"; echec=1; fi

if [ "$code" = 0 ]; then
    cp "$tmp/out" "$tmp/prog.cpp"
    if [ -f "$cas.run" ] || [ "${TRAMELO_REGENERER:-0}" = 1 -a -f "$cas.in" ]; then
        if ! "$cxx" -std=c++17 -O1 -o "$tmp/prog" "$tmp/prog.cpp" 2>"$tmp/cxx"; then
            echo "=== le C++ produit ne compile pas"; cat "$tmp/cxx"; exit 1
        fi
        entree=/dev/null
        [ -f "$cas.in" ] && entree="$cas.in"
        timeout 20 "$tmp/prog" <"$entree" >"$tmp/run"
        runcode=$?
        if [ "${TRAMELO_REGENERER:-0}" = 1 ]; then
            cp "$tmp/run" "$cas.run"
            if [ "$runcode" != 0 ]; then echo "$runcode" >"$cas.runcode"; else rm -f "$cas.runcode"; fi
        fi
        compare "$cas.run" "$tmp/run" "sortie du programme produit"
        attendu=0
        [ -f "$cas.runcode" ] && attendu=$(cat "$cas.runcode")
        if [ "$runcode" != "$attendu" ]; then
            echo "=== le programme produit sort avec $runcode au lieu de $attendu"; echec=1
        fi
    elif ! "$cxx" -std=c++17 -fsyntax-only "$tmp/prog.cpp" 2>"$tmp/cxx"; then
        echo "=== le C++ produit ne compile pas"; cat "$tmp/cxx"; echec=1
    fi
fi
exit $echec
