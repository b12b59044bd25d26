#!/usr/bin/env bash
# Verifie un cas de reference : traduit CAS.algo et compare sortie, erreurs et statut
# aux fichiers places a cote ; si la traduction reussit, compile le C++ produit, et,
# si CAS.run existe, l'execute sur CAS.in et compare sa sortie et son statut.
#   CAS.out      sortie standard attendue apres l'en-tete commun (obligatoire)
#   CAS.err      erreur standard attendue (absent : vide)
#   CAS.code     statut attendu (absent : 0)
#   CAS.args     argument de tabulation (absent : aucun)
#   CAS.in       entree du programme produit (absent : vide)
#   CAS.run      sortie attendue du programme produit
#   CAS.runcode  statut attendu du programme produit (absent : 0)
# Toute traduction commencee ecrit d'abord l'en-tete commun (entete.txt, a cote de ce script) :
# la sortie doit commencer par lui, octet pour octet, et seul ce qui le suit est dans CAS.out.
# Les erreurs de ligne de commande (statuts 252 et 253) arretent tout avant : sortie vide.
#   verifier.sh TRAMELO CAS.algo   verifie un cas
#   verifier.sh TRAMELO --entete   verifie l'en-tete lui-meme, avec le detail des differences
# Avec TRAMELO_REGENERER=1, ecrit les attendus d'un cas au lieu de les comparer (a relire
# ensuite !) ; l'en-tete commun, lui, ne se modifie qu'a la main.
set -u
tramelo=$1
entete=$(dirname "$0")/entete.txt
lignes_entete=$(wc -l <"$entete")
cxx=${CXX:-g++}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0

compare() { # attendu obtenu libelle
    if ! cmp -s "$1" "$2"; then
        echo "=== $3 differe ($1)"
        diff "$1" "$2" | head -40
        echec=1
    fi
}

if [ "$2" = --entete ]; then
    # Le plus petit algorithme : sa sortie commence par l'en-tete complet.
    printf 'algorithme A debut fin\n' >"$tmp/a.algo"
    "$tramelo" "$tmp/a.algo" >"$tmp/out"
    head -n "$lignes_entete" "$tmp/out" >"$tmp/entete"
    compare "$entete" "$tmp/entete" "en-tete commun"
    exit $echec
fi

cas=${2%.algo}
args=()
[ -f "$cas.args" ] && args+=("$(cat "$cas.args")")
"$tramelo" "$cas.algo" "${args[@]}" >"$tmp/out" 2>"$tmp/err"
code=$?

# Un en-tete est attendu sauf pour une erreur de ligne de commande.
attendu=0
[ -f "$cas.code" ] && attendu=$(cat "$cas.code")
[ "${TRAMELO_REGENERER:-0}" = 1 ] && attendu=$code
if [ "$attendu" = 252 ] || [ "$attendu" = 253 ]; then
    cp "$tmp/out" "$tmp/suite"
else
    if ! head -n "$lignes_entete" "$tmp/out" | cmp -s "$entete" -; then
        echo "=== la sortie ne commence pas par l'en-tete commun (detail : test golden/entete)"
        echec=1
    fi
    tail -n +"$((lignes_entete + 1))" "$tmp/out" >"$tmp/suite"
fi

if [ "${TRAMELO_REGENERER:-0}" = 1 ]; then
    cp "$tmp/suite" "$cas.out"
    if [ -s "$tmp/err" ]; then cp "$tmp/err" "$cas.err"; else rm -f "$cas.err"; fi
    if [ "$code" != 0 ]; then echo "$code" >"$cas.code"; else rm -f "$cas.code"; fi
fi

[ -f "$cas.out" ] || { echo "attendu manquant : $cas.out"; exit 1; }
compare "$cas.out" "$tmp/suite" "sortie standard apres l'en-tete"
if [ -f "$cas.err" ]; then compare "$cas.err" "$tmp/err" "erreur standard"
else compare /dev/null "$tmp/err" "erreur standard"; fi
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
