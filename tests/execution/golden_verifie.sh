#!/usr/bin/env bash
# Un cas de reference dans le profil verifie : un source que Tramelo refuse est refuse avec le
# meme statut ; un source accepte donne un C++ qui compile, et, si CAS.run existe, le programme
# donne la meme sortie et le meme statut que celui du profil standard sur CAS.in. Seule
# difference permise : un indice invalide (statut 1) est signale sur l'erreur standard au lieu
# du texte "\nIndice invalide\n" de la sortie.
#   golden_verifie.sh TRAMELO_EXEC CAS.algo
set -u
exec_outil=$1
cas=${2%.algo}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/tmpdir"
export TMPDIR=$tmp/tmpdir NO_COLOR=1
cxx=${CXX:-g++}

args=()
[ -f "$cas.args" ] && args+=("$(cat "$cas.args")")
attendu=0
[ -f "$cas.code" ] && attendu=$(cat "$cas.code")
cp "$cas.algo" "$tmp/p.algo"
(cd "$tmp" && "$exec_outil" --traduire p.algo "${args[@]}") >/dev/null 2>"$tmp/traduction"
code=$?
if [ "$attendu" != 0 ]; then
    [ "$code" = "$attendu" ] || { echo "=== statut $code au lieu de $attendu"; cat "$tmp/traduction"; exit 1; }
    exit 0
fi
# Un avertissement ou une fonction sans renvoie (150) n'empechent pas --traduire d'ecrire le C++.
[ -f "$tmp/p.cpp" ] || { echo "=== pas de C++ (statut $code)"; cat "$tmp/traduction"; exit 1; }
grep -q '^#line ' "$tmp/p.cpp" || { echo "=== C++ sans #line : pas le profil verifie"; exit 1; }

if [ ! -f "$cas.run" ]; then
    "$cxx" -std=c++17 -fsyntax-only "$tmp/p.cpp" 2>"$tmp/cxx" || { echo "=== le C++ ne compile pas"; cat "$tmp/cxx"; exit 1; }
    exit 0
fi
"$cxx" -std=c++17 -O1 -o "$tmp/p" "$tmp/p.cpp" 2>"$tmp/cxx" || { echo "=== le C++ ne compile pas"; cat "$tmp/cxx"; exit 1; }
entree=/dev/null
[ -f "$cas.in" ] && entree=$cas.in
(cd "$tmp" && timeout 20 ./p) <"$entree" >"$tmp/run" 2>"$tmp/err"
runcode=$?
attendu_run=0
[ -f "$cas.runcode" ] && attendu_run=$(cat "$cas.runcode")
cp "$cas.run" "$tmp/attendu"
if [ "$attendu_run" = 1 ] && [ "$(tail -c 17 "$cas.run")" = "$(printf '\nIndice invalide')" ]; then
    head -c -17 "$cas.run" >"$tmp/attendu"
    grep -q '^p\.algo:[0-9]*:[0-9]*: erreur : Indice invalide : ' "$tmp/err" \
        || { echo "=== indice invalide non signale :"; cat "$tmp/err"; exit 1; }
else
    [ ! -s "$tmp/err" ] || { echo "=== erreur standard :"; cat "$tmp/err"; exit 1; }
fi
echec=0
cmp -s "$tmp/attendu" "$tmp/run" || { echo "=== sortie differente"; diff "$tmp/attendu" "$tmp/run" | head -20; echec=1; }
[ "$runcode" = "$attendu_run" ] || { echo "=== statut $runcode au lieu de $attendu_run"; echec=1; }
exit $echec
